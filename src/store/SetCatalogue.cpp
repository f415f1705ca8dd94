#include "store/SetCatalogue.h"

#include "store/PgSession.h"
#include "store/SetOwner.h"
#include "store/SetRights.h"
#include "store/SetSchema.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>
#include <mutex>
#include <set>

namespace vexel {

namespace {

const char* const Here = "(SELECT oid FROM pg_namespace WHERE nspname = current_schema())";
const char* const RelationKind =
    "CASE c.relkind WHEN 'r' THEN 'table' WHEN 'p' THEN 'table' WHEN 'S' THEN 'sequence' WHEN 'v' THEN 'view' "
    "WHEN 'm' THEN 'materialized view' WHEN 'f' THEN 'foreign table' WHEN 'c' THEN 'type' ELSE 'relation' END";
const char* const FunctionName = "p.proname || '(' || pg_get_function_identity_arguments(p.oid) || ')'";

// Each gives kind, table, name and definition.
const char* const ItemQueries[] = {
    "SELECT {kind}, '', c.relname, concat_ws(' ', c.relkind, CASE WHEN c.relrowsecurity THEN 'row security' END, "
    "CASE WHEN c.relforcerowsecurity THEN 'forced' END, array_to_string(c.reloptions, ','), "
    "CASE WHEN c.relispartition THEN 'partition' END) "
    "FROM pg_class c WHERE c.relnamespace = {here} AND c.relkind NOT IN ('i', 'I') ORDER BY 3",
    "SELECT 'column', '', c.relname || '.' || a.attname, concat_ws(' ', format_type(a.atttypid, a.atttypmod), "
    "CASE WHEN a.attnotnull THEN 'not null' END, 'default ' || pg_get_expr(d.adbin, d.adrelid), "
    "CASE a.attidentity WHEN 'a' THEN 'identity always' WHEN 'd' THEN 'identity' END, "
    "CASE a.attgenerated WHEN 's' THEN 'generated' END, "
    "CASE WHEN a.attcollation <> t.typcollation THEN 'collate ' || a.attcollation::regcollation::text END) "
    "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid JOIN pg_type t ON t.oid = a.atttypid "
    "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum WHERE c.relnamespace = {here} "
    "AND c.relkind IN ('r', 'p', 'v', 'm', 'f', 'c') AND a.attnum > 0 AND NOT a.attisdropped ORDER BY 3",
    "SELECT 'constraint', coalesce(c.relname::text, t.typname::text, ''), k.conname, pg_get_constraintdef(k.oid) "
    "FROM pg_constraint k LEFT JOIN pg_class c ON c.oid = k.conrelid LEFT JOIN pg_type t ON t.oid = k.contypid "
    "WHERE k.connamespace = {here} ORDER BY 2, 3",
    "SELECT 'index', c.relname, i.relname, pg_get_indexdef(i.oid) FROM pg_index x "
    "JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_class c ON c.oid = x.indrelid "
    "WHERE i.relnamespace = {here} ORDER BY 2, 3",
    "SELECT 'trigger', c.relname, t.tgname, pg_get_triggerdef(t.oid) || ' ' || t.tgenabled::text FROM pg_trigger t "
    "JOIN pg_class c ON c.oid = t.tgrelid WHERE c.relnamespace = {here} AND NOT t.tgisinternal ORDER BY 2, 3",
    "SELECT 'rule', c.relname, r.rulename, pg_get_ruledef(r.oid) FROM pg_rewrite r "
    "JOIN pg_class c ON c.oid = r.ev_class WHERE c.relnamespace = {here} ORDER BY 2, 3",
    "SELECT 'row security policy', c.relname, p.polname, concat_ws(' ', p.polcmd, p.polpermissive, "
    "p.polroles::regrole[]::text, pg_get_expr(p.polqual, p.polrelid), pg_get_expr(p.polwithcheck, p.polrelid)) "
    "FROM pg_policy p JOIN pg_class c ON c.oid = p.polrelid WHERE c.relnamespace = {here} ORDER BY 2, 3",
    "SELECT CASE p.prokind WHEN 'a' THEN 'aggregate' WHEN 'p' THEN 'procedure' WHEN 'w' THEN 'window function' "
    "ELSE 'function' END, '', {function}, concat_ws(' | ', l.lanname, CASE WHEN p.prosecdef THEN 'security definer' END, "
    "p.provolatile, p.proisstrict, p.proleakproof, pg_get_function_result(p.oid), array_to_string(p.proconfig, '; '), "
    "p.prosrc) FROM pg_proc p JOIN pg_language l ON l.oid = p.prolang WHERE p.pronamespace = {here} ORDER BY 3",
    "SELECT 'type', '', t.typname, t.typtype::text || ' ' || coalesce(c.relname::text, '') FROM pg_type t "
    "LEFT JOIN pg_class c ON c.oid = t.typrelid WHERE t.typnamespace = {here} ORDER BY 3",
    // Everything else a schema can hold, none of which a set has.
    "SELECT 'operator', '', (o.oprname || '(' || o.oprleft::regtype || ', ' || o.oprright::regtype || ')')::text, '' "
    "FROM pg_operator o WHERE o.oprnamespace = {here} "
    "UNION ALL SELECT 'operator class', '', opcname::text, '' FROM pg_opclass WHERE opcnamespace = {here} "
    "UNION ALL SELECT 'operator family', '', opfname::text, '' FROM pg_opfamily WHERE opfnamespace = {here} "
    "UNION ALL SELECT 'collation', '', collname::text, '' FROM pg_collation WHERE collnamespace = {here} "
    "UNION ALL SELECT 'conversion', '', conname::text, '' FROM pg_conversion WHERE connamespace = {here} "
    "UNION ALL SELECT 'statistics object', '', stxname::text, '' FROM pg_statistic_ext WHERE stxnamespace = {here} "
    "UNION ALL SELECT 'text search configuration', '', cfgname::text, '' FROM pg_ts_config WHERE cfgnamespace = {here} "
    "UNION ALL SELECT 'text search dictionary', '', dictname::text, '' FROM pg_ts_dict WHERE dictnamespace = {here} "
    "UNION ALL SELECT 'text search parser', '', prsname::text, '' FROM pg_ts_parser WHERE prsnamespace = {here} "
    "UNION ALL SELECT 'text search template', '', tmplname::text, '' FROM pg_ts_template WHERE tmplnamespace = {here} "
    "UNION ALL SELECT 'extension', '', extname::text, '' FROM pg_extension WHERE extnamespace = {here} "
    "UNION ALL SELECT 'default privilege', '', (pg_get_userbyid(defaclrole) || ' ' || defaclobjtype::text), '' "
    "FROM pg_default_acl WHERE defaclnamespace = {here} "
    "UNION ALL SELECT 'inheritance', '', (i.inhrelid::regclass::text || ' of ' || i.inhparent::regclass::text), '' "
    "FROM pg_inherits i JOIN pg_class c ON c.oid = i.inhrelid JOIN pg_class p ON p.oid = i.inhparent "
    "WHERE c.relnamespace = {here} OR p.relnamespace = {here}",
};

const char* const OwnerQuery =
    "SELECT 'schema', nspname, pg_get_userbyid(nspowner) FROM pg_namespace WHERE oid = {here} "
    "UNION ALL SELECT {kind}, c.relname, pg_get_userbyid(c.relowner) FROM pg_class c "
    "WHERE c.relnamespace = {here} AND c.relkind NOT IN ('i', 'I') "
    "UNION ALL SELECT 'function', {function}, pg_get_userbyid(p.proowner) FROM pg_proc p WHERE p.pronamespace = {here}";

// The owner's own rights are left out: they come with owning.
const char* const GrantQuery =
    "SELECT CASE a.grantee WHEN 0 THEN 'PUBLIC' ELSE pg_get_userbyid(a.grantee)::text END, "
    "a.privilege_type || ' on the schema', a.is_grantable "
    "FROM pg_namespace n, aclexplode(n.nspacl) a WHERE n.oid = {here} AND a.grantee <> n.nspowner "
    "UNION ALL SELECT CASE a.grantee WHEN 0 THEN 'PUBLIC' ELSE pg_get_userbyid(a.grantee)::text END, "
    "a.privilege_type || ' on ' || {kind} || ' ' || c.relname, a.is_grantable "
    "FROM pg_class c, aclexplode(c.relacl) a WHERE c.relnamespace = {here} AND a.grantee <> c.relowner "
    "UNION ALL SELECT CASE a.grantee WHEN 0 THEN 'PUBLIC' ELSE pg_get_userbyid(a.grantee)::text END, "
    "a.privilege_type || ' on column ' || c.relname || '.' || t.attname, a.is_grantable "
    "FROM pg_attribute t JOIN pg_class c ON c.oid = t.attrelid, aclexplode(t.attacl) a "
    "WHERE c.relnamespace = {here} AND a.grantee <> c.relowner "
    "UNION ALL SELECT CASE a.grantee WHEN 0 THEN 'PUBLIC' ELSE pg_get_userbyid(a.grantee)::text END, "
    "a.privilege_type || ' on function ' || {function}, a.is_grantable "
    "FROM pg_proc p, aclexplode(coalesce(p.proacl, acldefault('f', p.proowner))) a "
    "WHERE p.pronamespace = {here} AND a.grantee <> p.proowner ORDER BY 1, 2";

QString sql(const char* text)
{
    return QString::fromLatin1(text)
        .replace(QLatin1String("{here}"), QLatin1String(Here))
        .replace(QLatin1String("{kind}"), QLatin1String(RelationKind))
        .replace(QLatin1String("{function}"), QLatin1String(FunctionName));
}

Status failed(const QSqlQuery& q) { return Status::failure(SetSchema::message(q.lastError())); }

// What the server prints with the schema's name, printed without it, so a
// set compares alike with the scratch schema its reference was built in.
QString withoutSchema(const SetCatalogue::Item& item, const QString& schema)
{
    static const QRegularExpression qualifiedTable(QStringLiteral(R"( ON (ONLY )?(?:"(?:[^"]|"")*"|[^\s."]+)\.)"));
    QString out = item.definition;
    if (item.kind == QLatin1String("index") || item.kind == QLatin1String("trigger"))
        return out.replace(qualifiedTable, QStringLiteral(" ON \\1"));
    if (item.kind != QLatin1String("function"))
        return out;
    out.replace(QLatin1Char('"') + schema + QLatin1Char('"'), QStringLiteral("\"{schema}\""));
    static const QRegularExpression path(QStringLiteral("search_path=([^;|]*)"));
    const QRegularExpressionMatch found = path.match(out);
    if (found.hasMatch()) {
        QStringList parts = found.captured(1).trimmed().split(QStringLiteral(", "));
        for (QString& part : parts)
            if (part == schema)
                part = QStringLiteral("{schema}");
        out.replace(found.capturedStart(1), found.capturedLength(1), parts.join(QStringLiteral(", ")) + QLatin1Char(' '));
    }
    return out;
}

QString article(const QString& kind)
{
    return QStringLiteral("aeio").contains(kind.front()) ? QStringLiteral("an") : QStringLiteral("a");
}

// Whether a role's rights are exactly those of a grant, and if not, the
// first that differs.
QString rightsProblem(const std::vector<SetCatalogue::Grant>& grants, const QStringList& tables,
                      const QStringList& functions)
{
        std::map<QString, QSet<QString>> byRole;
    for (const SetCatalogue::Grant& g : grants) {
        if (g.grantee == QLatin1String("PUBLIC"))
            return QCoreApplication::translate("SetCatalogue", "it gives every role (PUBLIC) %1, which Vexel Image never gives; a database "
                                                     "administrator sets them again with vexel db grant").arg(g.privilege);
        if (g.grantable)
            return QCoreApplication::translate("SetCatalogue", "it lets %1 pass %2 on to others, which Vexel Image never does; a "
                                                     "database administrator sets them again with vexel db grant").arg(g.grantee, g.privilege);
        byRole[g.grantee].insert(g.privilege);
    }
    const QStringList readList = SetRights::expected(SetRights::Right::Read, tables, functions);
    const QStringList editList = SetRights::expected(SetRights::Right::Edit, tables, functions);
    const QSet<QString> read(readList.begin(), readList.end());
    const QSet<QString> edit(editList.begin(), editList.end());
    for (const auto& [role, have] : byRole) {
        if (have == read || have == edit)
            continue;
        const bool editor = have.intersects(edit - read);
        const QStringList& pattern = editor ? editList : readList;
        for (const QString& privilege : std::set<QString>(have.begin(), have.end()))
            if (!pattern.contains(privilege))
                return QCoreApplication::translate("SetCatalogue", "it gives %1 %2, which Vexel Image does not give; a database "
                                                         "administrator sets them again with vexel db grant").arg(role, privilege);
        for (const QString& privilege : pattern)
            if (!have.contains(privilege))
                return (editor ? QCoreApplication::translate("SetCatalogue", "%1 lacks %2, which the right to edit the set takes; a database "
                                                                  "administrator sets them again with vexel db grant")
                               : QCoreApplication::translate("SetCatalogue", "%1 lacks %2, which the right to read the set takes; a database "
                                                                  "administrator sets them again with vexel db grant"))
                    .arg(role, privilege);
    }
    return {};
}

// Something on the server beyond what a set's steps make. The kind
// ("table", "function") is the server's own word and is kept as it is.
QString foreignItem(const SetCatalogue::Item& h)
{
    const bool an = article(h.kind) == QLatin1String("an");
    if (h.table.isEmpty())
        return (an ? QCoreApplication::translate("SetCatalogue", "it has an %1 \"%2\" that Vexel Image does not make; "
                                                                 "a database administrator must remove it")
                   : QCoreApplication::translate("SetCatalogue", "it has a %1 \"%2\" that Vexel Image does not make; a "
                                                                 "database administrator must remove it"))
            .arg(h.kind, h.name);
    return (an ? QCoreApplication::translate("SetCatalogue", "it has an %1 \"%2\" on %3 that Vexel Image does not "
                                                             "make; a database administrator must remove it")
               : QCoreApplication::translate("SetCatalogue", "it has a %1 \"%2\" on %3 that Vexel Image does not make; "
                                                             "a database administrator must remove it"))
        .arg(h.kind, h.name, h.table);
}

QString ownersProblem(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(sql(OwnerQuery)))
        return SetSchema::message(q.lastError());
    while (q.next())
        if (q.value(2).toString() != QLatin1String(SetOwner::Role))
            return QCoreApplication::translate("SetCatalogue",
                                               "its %1 \"%2\" belongs to %3 rather than %4, and code an owner attaches "
                                               "runs as whoever edits the set; a database administrator brings it "
                                               "under %4 with vexel db init")
                .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), QLatin1String(SetOwner::Role));
    return {};
}


// What the set has beyond what the steps make, first anything they never
// make, then what they make otherwise, then what it lacks. A function it
// lacks keeps it from being edited alone (`forEditing`): a set made by an
// earlier version gets the set's functions when it is brought under
// vexel_owner.
QString compareItems(const std::vector<SetCatalogue::Item>& want, const std::vector<SetCatalogue::Item>& have,
                     QString& forEditing)
{
    std::map<QString, const SetCatalogue::Item*> wanted;
    for (const SetCatalogue::Item& w : want)
        wanted[w.key()] = &w;
    std::set<QString> had;
    for (const SetCatalogue::Item& h : have) {
        had.insert(h.key());
        if (!wanted.count(h.key()))
            return foreignItem(h);
    }
    for (const SetCatalogue::Item& h : have)
        if (wanted.at(h.key())->definition != h.definition)
            return (h.table.isEmpty() ? QCoreApplication::translate("SetCatalogue",
                                                                     "its %1 \"%2\" is not as Vexel Image makes it; a "
                                                                     "database administrator must put it back as it was")
                                        .arg(h.kind, h.name)
                                  : QCoreApplication::translate("SetCatalogue",
                                                                "its %1 \"%2\" on %3 is not as Vexel Image makes it; a "
                                                                "database administrator must put it back as it was")
                                        .arg(h.kind, h.name, h.table));
    for (const SetCatalogue::Item& w : want) {
        if (had.count(w.key()))
            continue;
        if (w.kind != QLatin1String("function"))
            return QCoreApplication::translate("SetCatalogue", "it has no %1 \"%2\"").arg(w.kind, w.table.isEmpty() ? w.name : w.table + QLatin1Char('.') + w.name);
        forEditing = QCoreApplication::translate("SetCatalogue", "it has no function \"%1\" yet; a database administrator adds it with vexel db init")
                         .arg(w.name);
    }
    return {};
}

} // namespace

QString SetCatalogue::Item::named() const
{
    QString out = QStringLiteral("%1 %2 \"%3\"").arg(article(kind), kind, name);
    return table.isEmpty() ? out : out + QStringLiteral(" on ") + table;
}

Expected<std::vector<SetCatalogue::Item>> SetCatalogue::items(const QSqlDatabase& db)
{
    using Result = Expected<std::vector<Item>>;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT current_schema()")) || !q.next())
        return Result(failed(q));
    const QString schema = q.value(0).toString();
    std::vector<Item> out;
    for (const char* text : ItemQueries) {
        if (!q.exec(sql(text)))
            return Result(failed(q));
        while (q.next()) {
            Item item{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()};
            item.definition = withoutSchema(item, schema);
            out.push_back(std::move(item));
        }
    }
    return out;
}

Expected<std::vector<SetCatalogue::Grant>> SetCatalogue::grants(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql(GrantQuery)))
        return Expected<std::vector<Grant>>(failed(q));
    std::vector<Grant> out;
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toBool()});
    return out;
}

Expected<std::vector<SetCatalogue::Item>> SetCatalogue::expected(QSqlDatabase& db, int version)
{
    using Result = Expected<std::vector<Item>>;
    static std::mutex guard;
    static std::map<QString, std::vector<Item>> made;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT current_setting('server_version_num')")) || !q.next())
        return Result(failed(q));
    const QString key = q.value(0).toString() + QLatin1Char(':') + QString::number(version);
    q.finish();
    const std::lock_guard<std::mutex> lock(guard);
    if (const auto found = made.find(key); found != made.end())
        return found->second;

    // A reader's session refuses changes, so its transaction asks for them.
    const bool nested = PgSession::inTransaction(db);
    Status built = SetSchema::run(db, nested ? QStringLiteral("SAVEPOINT vexel_reference") : QStringLiteral("BEGIN READ WRITE"));
    if (built)
        built = SetSchema::run(db, QStringLiteral("SET LOCAL search_path TO pg_temp"));
    for (int v = 0; v < version && built; ++v)
        built = SetSchema::step(db, v);
    if (built && (!q.exec(QStringLiteral("SELECT nspname FROM pg_namespace WHERE oid = pg_my_temp_schema()")) || !q.next()))
        built = failed(q);
    if (built)
        for (const QString& statement : SetOwner::functionSql(q.value(0).toString()))
            if (built)
                built = SetSchema::run(db, statement);
    q.finish();
    const Result result = built ? items(db) : Result(built);
    SetSchema::run(db, nested ? QStringLiteral("ROLLBACK TO SAVEPOINT vexel_reference") : QStringLiteral("ROLLBACK"));
    if (nested)
        SetSchema::run(db, QStringLiteral("RELEASE SAVEPOINT vexel_reference"));
    if (!result)
        return Result::failure(QCoreApplication::translate("SetCatalogue", "what a set holds cannot be worked out on this server: %1").arg(result.error()));
    made[key] = *result;
    return result;
}

Expected<SetCatalogue::Findings> SetCatalogue::check(QSqlDatabase& db, int version)
{
    const Expected<std::vector<Item>> want = expected(db, version);
    if (!want)
        return want.status();
    const Expected<std::vector<Item>> have = items(db);
    if (!have)
        return have.status();
    Findings found;
    found.foreign = compareItems(*want, *have, found.forEditing);
    if (!found.foreign.isEmpty())
        return found;
    QStringList tables;
    QStringList functions;
    for (const Item& h : *have)
        if (h.kind == QLatin1String("table"))
            tables << h.name;
        else if (h.kind == QLatin1String("function"))
            functions << h.name;
    // Owners first: a set of an earlier version lacks its function too.
    if (const QString owners = ownersProblem(db); !owners.isEmpty())
        found.forEditing = owners;
    if (found.forEditing.isEmpty()) {
        const Expected<std::vector<Grant>> given = grants(db);
        if (!given)
            return given.status();
        found.forEditing = rightsProblem(*given, tables, functions);
    }
    return found;
}

} // namespace vexel
