#include "store/SetOwner.h"

#include "store/SetCatalogue.h"
#include "store/SetEngine.h"
#include "store/SetRights.h"
#include "store/SetSchema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vexel {

namespace {

Status failed(const QSqlQuery& q) { return Status::failure(SetSchema::message(q.lastError())); }

Expected<QStringList> column(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return Expected<QStringList>(failed(q));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

Status runAll(QSqlDatabase& db, const QStringList& statements)
{
    for (const QString& statement : statements)
        if (const Status done = SetSchema::run(db, statement); !done)
            return done;
    return Status::success();
}

} // namespace

QString SetOwner::quoted(const QString& name)
{
    QString out = name;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QStringList SetOwner::setupSql()
{
    // Another administrator's init may set it up at the same moment: the
    // lock makes one wait for the other, which then finds it done.
    return {QStringLiteral("DO $$ BEGIN\n"
                           "  PERFORM pg_advisory_xact_lock(hashtext('vexel_owner'));\n"
                           "  BEGIN CREATE ROLE vexel_owner NOLOGIN;\n"
                           "  EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n"
                           "  IF NOT has_database_privilege('vexel_owner', current_database(), 'CREATE') THEN\n"
                           "    EXECUTE format('GRANT CREATE ON DATABASE %I TO vexel_owner', current_database());\n"
                           "  END IF;\n"
                           "  IF NOT pg_has_role('vexel_owner', 'MEMBER') THEN\n"
                           "    EXECUTE format('GRANT vexel_owner TO %I', current_user);\n"
                           "  END IF;\n"
                           "END $$")};
}

QStringList SetOwner::functionSql(const QString& schema)
{
    const QString s = quoted(schema);
    // A change locks the set's version row, so changes of one set follow one
    // another; through this, an editor locks it without the right to change it.
    return {QStringLiteral("CREATE FUNCTION %1.lock_set() RETURNS integer LANGUAGE sql SECURITY DEFINER "
                           "SET search_path = pg_catalog, %1 "
                           "AS $$SELECT version FROM %1.set_version WHERE id = 1 FOR UPDATE$$")
                .arg(s),
            QStringLiteral("REVOKE ALL ON FUNCTION %1.lock_set() FROM PUBLIC").arg(s)};
}

Status SetOwner::become(QSqlDatabase& db)
{
    const Status became = SetSchema::run(db, QStringLiteral("SET LOCAL ROLE ") + QLatin1String(Role));
    if (became)
        return became;
    // The server's first line, without its severity and code.
    QString why = became.error().section(QLatin1Char('\n'), 0, 0).trimmed();
    if (why.startsWith(QLatin1String("ERROR:")))
        why = why.mid(6).trimmed();
    return Status::failure(QCoreApplication::translate("SetOwner", "only a member of %1, which owns the sets, may do this (%2)")
                               .arg(QLatin1String(Role), why));
}

Status SetOwner::ensure(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT CASE WHEN to_regrole('vexel_owner') IS NULL THEN false "
                               "ELSE has_database_privilege('vexel_owner', current_database(), 'CREATE') "
                               "AND pg_has_role('vexel_owner', 'MEMBER') END, "
                               "(SELECT rolsuper OR rolcreaterole FROM pg_roles WHERE rolname = current_user), "
                               "current_user")) ||
        !q.next())
        return failed(q);
    if (q.value(0).toBool())
        return Status::success();
    if (!q.value(1).toBool())
        return Status::failure(QCoreApplication::translate("SetOwner", "sets on this server are made by members of %1, and the database role %2 "
                                  "is none; a database administrator runs vexel db init and grants %1 to "
                                  "the depots' administrators")
                                   .arg(QLatin1String(Role), q.value(2).toString()));
    Status done = SetSchema::run(db, QStringLiteral("BEGIN"));
    if (done)
        done = runAll(db, setupSql());
    if (done)
        return SetSchema::run(db, QStringLiteral("COMMIT"));
    SetSchema::run(db, QStringLiteral("ROLLBACK"));
    return done;
}

Status SetOwner::takeOver(QSqlDatabase& db, const QString& schema)
{
    const QString s = quoted(schema);
    const QString owner = QLatin1String(Role);
    const Expected<QStringList> tables =
        column(db, QStringLiteral("SELECT quote_ident(relname) FROM pg_class WHERE relkind IN ('r', 'p') AND "
                                  "relnamespace = (SELECT oid FROM pg_namespace WHERE nspname = current_schema())"));
    if (!tables)
        return tables.status();
    QStringList statements{QStringLiteral("ALTER SCHEMA %1 OWNER TO %2").arg(s, owner)};
    for (const QString& table : *tables)
        statements << QStringLiteral("ALTER TABLE %1.%2 OWNER TO %3").arg(s, table, owner);
    Status done = runAll(db, statements);
    if (done)
        done = become(db);
    // Its functions are made again as this version makes them.
    const Expected<QStringList> functions =
        done ? column(db, QStringLiteral("SELECT 'DROP FUNCTION ' || oid::regprocedure FROM pg_proc "
                                         "WHERE pronamespace = (SELECT oid FROM pg_namespace WHERE nspname = current_schema())"))
             : Expected<QStringList>(done);
    if (!functions)
        return functions.status();
    done = runAll(db, *functions + functionSql(schema));
    if (done)
        done = SetRights::regrant(db);
    if (done)
        done = SetSchema::run(db, QStringLiteral("RESET ROLE"));
    return done;
}

Expected<bool> SetOwner::adopt(QSqlDatabase& db, const QString& schema)
{
    Status done = SetSchema::run(db, QStringLiteral("SET LOCAL search_path TO ") + quoted(schema));
    const Expected<qint64> version = done ? SetEngine::server().version(db) : Expected<qint64>(done);
    if (!version)
        return version.status();
    if (*version < 1 || *version > SetSchema::Version)
        return Expected<bool>::failure(*version < 1 ? QStringLiteral("it is not a destination set")
                                                    : QStringLiteral("it was written by a newer Vexel Image"));
    const Expected<SetCatalogue::Findings> found = SetCatalogue::check(db, static_cast<int>(*version));
    if (!found)
        return found.status();
    if (!found->foreign.isEmpty())
        return Expected<bool>::failure(found->foreign);
    if (found->forEditing.isEmpty())
        return false;
    done = takeOver(db, schema);
    return done ? Expected<bool>(true) : Expected<bool>(done);
}

Expected<QStringList> SetOwner::adoptAll(QSqlDatabase& db)
{
    const Expected<QStringList> schemas =
        column(db, QStringLiteral("SELECT n.nspname FROM pg_namespace n JOIN pg_class c ON c.relnamespace = n.oid "
                                  "WHERE c.relname = 'set_version' AND c.relkind = 'r' ORDER BY 1"));
    if (!schemas)
        return schemas;
    QStringList said;
    for (const QString& schema : *schemas) {
        const Status begun = SetSchema::run(db, QStringLiteral("SAVEPOINT vexel_adopt"));
        const Expected<bool> adopted = begun ? adopt(db, schema) : Expected<bool>(begun);
        if (adopted && *adopted)
            said << QStringLiteral("set %1: brought under %2").arg(schema, QLatin1String(Role));
        else if (!adopted)
            said << QStringLiteral("set %1: left as it is: %2").arg(schema, adopted.error());
        SetSchema::run(db, adopted ? QStringLiteral("RELEASE SAVEPOINT vexel_adopt")
                                   : QStringLiteral("ROLLBACK TO SAVEPOINT vexel_adopt"));
    }
    SetSchema::run(db, QStringLiteral("SET LOCAL search_path TO DEFAULT"));
    return said;
}

} // namespace vexel
