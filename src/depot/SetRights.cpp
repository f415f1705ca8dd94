#include "depot/SetRights.h"

#include "depot/ServerAddress.h"
#include "depot/SetSchema.h"

#include <QRegularExpression>
#include <QSqlError>

namespace vexel {

namespace {

bool plainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z_][a-z0-9_]{0,62}$"));
    return plain.match(name).hasMatch();
}

} // namespace

Expected<QStringList> SetRights::sql(const QString& role, const QString& set, Right right)
{
    if (!plainName(role))
        return Expected<QStringList>::failure(
            "the role's name must be 1 to 63 lower-case letters, digits and _, not \"" + role.left(80) + "\"");
    if (!plainName(set))
        return Expected<QStringList>::failure(
            "the set's name must be 1 to 63 lower-case letters, digits and _, not \"" + set.left(80) + "\"");
    const QString schema = QLatin1Char('"') + set + QLatin1Char('"');
    const QString who = QLatin1Char('"') + role + QLatin1Char('"');
    QStringList out{
        QStringLiteral("REVOKE ALL ON ALL TABLES IN SCHEMA %1 FROM %2").arg(schema, who),
        QStringLiteral("REVOKE ALL ON ALL SEQUENCES IN SCHEMA %1 FROM %2").arg(schema, who),
        QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, who),
        QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO %2").arg(schema, who),
    };
    // A change locks the set's version row (SELECT ... FOR UPDATE), which
    // takes the right to update it.
    if (right == Right::Edit)
        out << QStringLiteral("GRANT INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2").arg(schema, who)
            << QStringLiteral("GRANT USAGE, SELECT, UPDATE ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(schema, who);
    return out;
}

Status SetRights::grant(const QString& text, const QString& role, Right right)
{
    const Expected<ServerAddress> address = ServerAddress::parse(text, ServerAddress::SetName::Required);
    if (!address)
        return Status::failure("Cannot grant: " + address.error());
    auto fail = [&](const QString& reason) {
        return Status::failure(
            QStringLiteral("Cannot grant %1 rights on \"%2\": ").arg(role.left(80), address->shown()) + reason);
    };
    const Expected<QStringList> statements = sql(role, address->set, right);
    if (!statements)
        return fail(statements.error());
    const QString name = QStringLiteral("vexel-grant");
    Status done = Status::success();
    {
        QSqlDatabase db = address->connection(name);
        if (!db.open()) {
            done = fail(db.lastError().text().trimmed());
        } else {
            done = SetSchema::run(db, QStringLiteral("BEGIN"));
            for (const QString& statement : *statements)
                if (done)
                    done = SetSchema::run(db, statement);
            if (done)
                done = SetSchema::run(db, QStringLiteral("COMMIT"));
            if (!done) {
                SetSchema::run(db, QStringLiteral("ROLLBACK"));
                done = fail(done.error());
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

} // namespace vexel
