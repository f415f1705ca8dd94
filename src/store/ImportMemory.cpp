#include "store/ImportMemory.h"

#include "store/DestinationTable.h"
#include "store/SetSchema.h"
#include "depot/TextLimit.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <iterator>

namespace vexel {

namespace {

Status failed(const QSqlQuery& q) { return Status::failure(SetSchema::message(q.lastError())); }

bool knownField(const QString& name)
{
    return name == QLatin1String(ImportMemory::AgencyField) || name == QLatin1String(ImportMemory::RouteIdField) ||
           std::any_of(std::begin(TextFields), std::end(TextFields),
                       [&](const TextField& f) { return name == QLatin1String(f.name); });
}

QString stored(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }

} // namespace

namespace {

QString createTable(const QString& name, const QString& fields)
{
    return QStringLiteral("CREATE TABLE %1 (\n"
                          "  code_key TEXT NOT NULL CHECK (length(code_key) BETWEEN 1 AND 200),\n"
                          "  field TEXT NOT NULL CHECK (field IN (%2)),\n"
                          "  value TEXT NOT NULL CHECK (length(value) <= 1000),\n"
                          "  time TEXT NOT NULL CHECK (length(time) = 24),\n"
                          "  PRIMARY KEY (code_key, field)\n"
                          ")")
        .arg(name, fields);
}

} // namespace

Status ImportMemory::makeTables(QSqlDatabase& db)
{
    return SetSchema::run(db, createTable(QStringLiteral("imported_text"),
                                          QStringLiteral("'route', 'destination_ka', 'destination_en', 'via_ka', 'via_en'")));
}

// The table made again, since a check cannot be widened in place on every
// engine; what it held comes along.
Status ImportMemory::addOriginFields(QSqlDatabase& db)
{
    const QString fields = QStringLiteral("'route', 'destination_ka', 'destination_en', 'via_ka', 'via_en', 'service', "
                                          "'agency', 'route_id'");
    for (const QString& sql :
         {createTable(QStringLiteral("imported_text_new"), fields),
          QStringLiteral("INSERT INTO imported_text_new (code_key, field, value, time) "
                         "SELECT code_key, field, value, time FROM imported_text"),
          QStringLiteral("DROP TABLE imported_text"),
          QStringLiteral("ALTER TABLE imported_text_new RENAME TO imported_text")}) {
        const Status done = SetSchema::run(db, sql);
        if (!done)
            return done;
    }
    return Status::success();
}

Expected<ImportMemory::Texts> ImportMemory::read() const
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT code_key, field, value, time FROM imported_text")))
        return Expected<Texts>(failed(q));
    Texts out;
    while (q.next()) {
        const QString key = q.value(0).toString();
        const QString field = q.value(1).toString();
        Text t{q.value(2).toString(), QDateTime::fromString(q.value(3).toString(), Qt::ISODateWithMs).toUTC()};
        // The same checks as the table's, since a server's rows may come
        // from a table whose checks were taken away.
        if (key.isEmpty() || key.size() > 200 || key != SetSchema::key(key) || !knownField(field) ||
            t.value.size() > MaxSignTextLength || !t.time.isValid())
            return Expected<Texts>::failure(
                QStringLiteral("its record of what destination %1 was at its last import is damaged").arg(key.left(200)));
        out[key][field] = std::move(t);
    }
    if (q.lastError().isValid())
        return Expected<Texts>(failed(q));
    return out;
}

Status ImportMemory::record(const std::vector<Destination>& imported, const QDateTime& time)
{
    const Expected<std::vector<Destination>> now = DestinationTable(db_).all();
    if (!now)
        return now.status();
    std::map<QString, const Destination*> held;
    for (const Destination& d : *now)
        held.emplace(SetSchema::key(d.code), &d);
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO imported_text (code_key, field, value, time) VALUES (?, ?, ?, ?) "
                             "ON CONFLICT (code_key, field) DO UPDATE SET value = excluded.value, time = excluded.time"));
    auto remember = [&](const QString& key, const char* field, const QString& value) {
        q.bindValue(0, key);
        q.bindValue(1, QString::fromLatin1(field));
        q.bindValue(2, SetSchema::notNull(value));
        q.bindValue(3, stored(time));
        return q.exec() ? Status::success() : failed(q);
    };
    for (const Destination& d : imported) {
        const auto found = held.find(SetSchema::key(d.code));
        if (found == held.end())
            continue;
        Status done = Status::success();
        for (const TextField& f : TextFields)
            if (done && found->second->*f.text == d.*f.text)
                done = remember(found->first, f.name, d.*f.text);
        // Where it came from, whatever the operator kept of its texts.
        if (done && !d.agency.isEmpty())
            done = remember(found->first, AgencyField, d.agency.left(MaxSignTextLength));
        if (done && !d.agency.isEmpty())
            done = remember(found->first, RouteIdField, d.routeId.left(MaxSignTextLength));
        if (!done)
            return done;
    }
    return Status::success();
}

Status ImportMemory::replace(const QString& key, const std::map<QString, Text>& texts)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM imported_text WHERE code_key = ?"));
    q.addBindValue(key);
    if (!q.exec())
        return failed(q);
    q.prepare(QStringLiteral("INSERT INTO imported_text (code_key, field, value, time) VALUES (?, ?, ?, ?)"));
    for (const auto& [field, text] : texts) {
        q.bindValue(0, key);
        q.bindValue(1, field);
        q.bindValue(2, SetSchema::notNull(text.value));
        q.bindValue(3, stored(text.time));
        if (!q.exec())
            return failed(q);
    }
    return Status::success();
}

} // namespace vexel
