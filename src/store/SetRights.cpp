#include "store/SetRights.h"

#include "store/HeldConnection.h"
#include "store/PgSession.h"
#include "store/ServerAddress.h"
#include "store/SetCatalogue.h"
#include "store/SetEngine.h"
#include "store/SetOwner.h"
#include "store/SetSchema.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>

namespace vexel {

namespace {

bool plainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z_][a-z0-9_]{0,62}$"));
    return plain.match(name).hasMatch();
}

Expected<QStringList> column(const QSqlDatabase& db, const QString& sql, const QVariant& value = {})
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(sql);
    if (value.isValid())
        q.addBindValue(value);
    if (!q.exec())
        return Expected<QStringList>::failure(SetSchema::message(q.lastError()));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

const char* const Here = "(SELECT oid FROM pg_namespace WHERE nspname = current_schema())";

Expected<QStringList> tablesHere(const QSqlDatabase& db)
{
    return column(db, QStringLiteral("SELECT relname FROM pg_class WHERE relkind IN ('r', 'p') AND relnamespace = ") +
                          QLatin1String(Here));
}

Expected<QStringList> functionsHere(const QSqlDatabase& db)
{
    return column(db, QStringLiteral("SELECT p.proname || '(' || pg_get_function_identity_arguments(p.oid) || ')' "
                                     "FROM pg_proc p WHERE p.pronamespace = ") +
                          QLatin1String(Here));
}

// The tables the steps to this version make, and a server set's mark,
// which the steps make where a file has its header.
Expected<QStringList> tablesOfThisVersion()
{
    const Expected<std::vector<SetSchema::Object>> objects = SetSchema::expected(SetSchema::Version);
    if (!objects)
        return objects.status();
    QStringList out{QStringLiteral("set_version")};
    for (const SetSchema::Object& o : *objects)
        if (o.type == QLatin1String("table"))
            out << o.name;
    return out;
}

QStringList revokes(const QString& who, const QString& schema)
{
    return {QStringLiteral("REVOKE ALL ON ALL TABLES IN SCHEMA %1 FROM %2").arg(schema, who),
            QStringLiteral("REVOKE ALL ON ALL SEQUENCES IN SCHEMA %1 FROM %2").arg(schema, who),
            QStringLiteral("REVOKE ALL ON ALL FUNCTIONS IN SCHEMA %1 FROM %2").arg(schema, who),
            QStringLiteral("REVOKE ALL ON SCHEMA %1 FROM %2").arg(schema, who)};
}

Status runAll(QSqlDatabase& db, const QStringList& statements)
{
    for (const QString& statement : statements)
        if (const Status done = SetSchema::run(db, statement); !done)
            return done;
    return Status::success();
}


// Whether `set` is a destination set vexel_owner may give rights on and
// `role` a role to give them to; the search path is left on the set.
Status grantable(QSqlDatabase& db, const QString& set, const QString& role)
{
    const Expected<QStringList> roles = column(db, QStringLiteral("SELECT rolname FROM pg_roles WHERE rolname = ?"), role);
    if (!roles)
        return roles.status();
    if (roles->isEmpty())
        return Status::failure(QCoreApplication::translate("SetRights", "there is no role %1 on the server").arg(role));
    const Expected<QStringList> owner =
        column(db, QStringLiteral("SELECT pg_get_userbyid(nspowner) FROM pg_namespace WHERE nspname = ?"), set);
    if (!owner)
        return owner.status();
    if (owner->isEmpty())
        return Status::failure(QCoreApplication::translate("SetRights", "the database has no set \"%1\"").arg(set));
    if (const Status on = SetSchema::run(db, QStringLiteral("SET search_path TO ") + SetOwner::quoted(set)); !on)
        return on;
    const Expected<qint64> version = SetEngine::server().version(db);
    if (!version)
        return version.status();
    if (*version < 1)
        return Status::failure(QCoreApplication::translate("SetRights", "the schema \"%1\" is not a destination set").arg(set));
    if (owner->value(0) != QLatin1String(SetOwner::Role))
        return Status::failure(QCoreApplication::translate("SetRights", "it belongs to %1 rather than %2; a database "
                                                                           "administrator brings it under %2 with vexel db "
                                                                           "init first")
                                   .arg(owner->value(0), QLatin1String(SetOwner::Role)));
    return Status::success();
}

// How the role's rights on the current set differ from those `right` gives.
Expected<QString> difference(const QSqlDatabase& db, const QString& role, SetRights::Right right)
{
    const Expected<std::vector<SetCatalogue::Grant>> given = SetCatalogue::grants(db);
    const Expected<QStringList> tables = tablesHere(db);
    const Expected<QStringList> functions = functionsHere(db);
    if (!given || !tables || !functions)
        return Expected<QString>::failure(!given ? given.error() : !tables ? tables.error() : functions.error());
    QStringList have;
    for (const SetCatalogue::Grant& g : *given)
        if (g.grantee == role)
            have << g.privilege;
    const QStringList want = SetRights::expected(right, *tables, *functions);
    for (const QString& privilege : want)
        if (!have.contains(privilege))
            return QCoreApplication::translate("SetRights", "%1 has no %2").arg(role, privilege);
    for (const QString& privilege : have)
        if (!want.contains(privilege))
            return QCoreApplication::translate("SetRights", "%1 still has %2").arg(role, privilege);
    return QString();
}

} // namespace

SetRights::Use SetRights::use(const QString& table)
{
    static const QStringList added{QStringLiteral("version"),         QStringLiteral("version_destination"),
                                   QStringLiteral("version_override"), QStringLiteral("version_image"),
                                   QStringLiteral("image_text"),      QStringLiteral("version_finding"),
                                   QStringLiteral("version_release"), QStringLiteral("destination_history")};
    static const QStringList read{QStringLiteral("set_version"), QStringLiteral("set_identity"),
                                  QStringLiteral("copy_origin"), QStringLiteral("copy_base")};
    if (added.contains(table))
        return Use::Add;
    return read.contains(table) ? Use::Read : Use::Change;
}

QStringList SetRights::privileges(const QString& table, Right right)
{
    QStringList out{QStringLiteral("SELECT")};
    const Use u = right == Right::Edit ? use(table) : Use::Read;
    if (u != Use::Read)
        out << QStringLiteral("INSERT");
    if (u == Use::Change)
        out << QStringLiteral("UPDATE") << QStringLiteral("DELETE");
    return out;
}

QStringList SetRights::expected(Right right, const QStringList& tables, const QStringList& functions)
{
    QStringList out{QStringLiteral("USAGE on the schema")};
    for (const QString& table : tables)
        for (const QString& privilege : privileges(table, right))
            out << privilege + QStringLiteral(" on table ") + table;
    if (right == Right::Edit)
        for (const QString& function : functions)
            out << QStringLiteral("EXECUTE on function ") + function;
    return out;
}

Status SetRights::checkRole(const QString& role)
{
    if (role.compare(QLatin1String("public"), Qt::CaseInsensitive) == 0)
        return Status::failure(QCoreApplication::translate("SetRights", "PUBLIC stands for every role, so anyone who may "
                                                                            "connect would get the set; name the role to grant to"));
    if (!plainName(role))
        return Status::failure(QCoreApplication::translate("SetRights", "the role's name must be 1 to 63 lower-case letters, "
                                                                            "digits and _, not \"%1\"")
                                   .arg(role.left(80)));
    if (role.startsWith(QLatin1String("pg_")))
        return Status::failure(QCoreApplication::translate("SetRights", "roles beginning with pg_ are the server's own"));
    if (role == QLatin1String(SetOwner::Role))
        return Status::failure(QCoreApplication::translate("SetRights", "%1 owns every set already").arg(QLatin1String(SetOwner::Role)));
    return Status::success();
}

QStringList SetRights::statements(const QString& role, const QString& set, Right right, const QStringList& tables)
{
    const QString schema = SetOwner::quoted(set);
    const QString who = SetOwner::quoted(role);
    QStringList out = revokes(who, schema);
    out << QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, who)
        << QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO %2").arg(schema, who);
    if (right == Right::Read)
        return out;
    QStringList adds;
    QStringList changes;
    for (const QString& table : tables) {
        const Use u = use(table);
        if (u != Use::Read)
            adds << schema + QLatin1Char('.') + SetOwner::quoted(table);
        if (u == Use::Change)
            changes << schema + QLatin1Char('.') + SetOwner::quoted(table);
    }
    if (!adds.isEmpty())
        out << QStringLiteral("GRANT INSERT ON %1 TO %2").arg(adds.join(QStringLiteral(", ")), who);
    if (!changes.isEmpty())
        out << QStringLiteral("GRANT UPDATE, DELETE ON %1 TO %2").arg(changes.join(QStringLiteral(", ")), who);
    out << QStringLiteral("GRANT EXECUTE ON ALL FUNCTIONS IN SCHEMA %1 TO %2").arg(schema, who);
    return out;
}

Expected<QStringList> SetRights::sql(const QString& role, const QString& set, Right right)
{
    if (const Status fine = checkRole(role); !fine)
        return fine;
    if (!plainName(set) || set.startsWith(QLatin1String("pg_")))
        return Expected<QStringList>::failure(
            "the set's name must be 1 to 63 lower-case letters, digits and _, not \"" + set.left(80) + "\"");
    const Expected<QStringList> tables = tablesOfThisVersion();
    if (!tables)
        return tables;
    QStringList out{QStringLiteral("BEGIN"), QStringLiteral("SET LOCAL ROLE ") + QLatin1String(SetOwner::Role),
                    QStringLiteral("DO $$ BEGIN\n"
                                   "  IF to_regrole('%1') IS NULL THEN RAISE EXCEPTION 'there is no role %1'; END IF;\n"
                                   "  IF to_regclass('%2.set_version') IS NULL THEN\n"
                                   "    RAISE EXCEPTION 'the schema %3 is not a destination set';\n"
                                   "  END IF;\n"
                                   "END $$")
                        .arg(role, SetOwner::quoted(set), set)};
    return out + statements(role, set, right, *tables) + QStringList{QStringLiteral("COMMIT")};
}

Status SetRights::regrant(QSqlDatabase& db)
{
    const Expected<std::vector<SetCatalogue::Grant>> given = SetCatalogue::grants(db);
    if (!given)
        return given.status();
    std::map<QString, bool> editors;
    static const QRegularExpression writes(QStringLiteral("^(INSERT|UPDATE|DELETE|TRUNCATE) on table "));
    for (const SetCatalogue::Grant& g : *given)
        editors[g.grantee] = editors[g.grantee] || writes.match(g.privilege).hasMatch();
    const Expected<QStringList> tables = tablesHere(db);
    const Expected<QStringList> schema = column(db, QStringLiteral("SELECT current_schema()"));
    if (!tables || !schema)
        return tables ? schema.status() : tables.status();
    QStringList all;
    for (const auto& [role, edits] : editors)
        all << (role == QLatin1String("PUBLIC")
                    ? revokes(role, SetOwner::quoted(schema->value(0)))
                    : statements(role, schema->value(0), edits ? Right::Edit : Right::Read, *tables));
    return runAll(db, all);
}

Status SetRights::grant(const QString& text, const QString& role, Right right, QString* said)
{
    const Expected<ServerAddress> address = ServerAddress::parse(text, ServerAddress::SetName::Required);
    if (!address)
        return Status::failure(QCoreApplication::translate("SetRights", "Cannot grant: %1").arg(address.error()));
    auto fail = [&](const QString& reason) {
        return Status::failure(
            QCoreApplication::translate("SetRights", "Cannot grant %1 rights on \"%2\": %3").arg(role.left(80), address->shown(), reason));
    };
    if (const Status fine = checkRole(role); !fine)
        return fail(fine.error());
    Expected<HeldConnection> held = HeldConnection::take(*address, ServerAddress::DefaultStatementTimeout, "grant");
    if (!held)
        return fail(held.error());
    QSqlDatabase db = held->db();
    PgSession::take(db);
    Status done = grantable(db, address->set, role);
    bool begun = false;
    if (done) {
        done = SetSchema::run(db, QStringLiteral("BEGIN"));
        begun = done.ok();
    }
    if (done)
        done = SetOwner::become(db);
    const Expected<QStringList> tables = done ? tablesHere(db) : Expected<QStringList>(done);
    done = tables ? runAll(db, statements(role, address->set, right, *tables)) : tables.status();
    // The server only warns about a grant its granter may not give.
    const Expected<QString> differs = done ? difference(db, role, right) : Expected<QString>(done);
    done = !differs ? differs.status()
                    : differs->isEmpty() ? Status::success() : Status::failure(QCoreApplication::translate("SetRights", "the rights did not take: %1").arg(*differs));
    if (done)
        done = SetSchema::run(db, QStringLiteral("COMMIT"));
    else if (begun)
        SetSchema::run(db, QStringLiteral("ROLLBACK"));
    const QString heard = PgSession::take(db).summary();
    if (!done)
        return fail(done.error() + (heard.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(heard)));
    if (said)
        *said = heard;
    return done;
}

} // namespace vexel
