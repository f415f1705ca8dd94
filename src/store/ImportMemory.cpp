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
    return std::any_of(std::begin(TextFields), std::end(TextFields),
                       [&](const TextField& f) { return name == QLatin1String(f.name); });
}

QString stored(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }

} // namespace

Status ImportMemory::makeTables(QSqlDatabase& db)
{
    return SetSchema::run(db, QStringLiteral("CREATE TABLE imported_text (\n"
                                             "  code_key TEXT NOT NULL CHECK (length(code_key) BETWEEN 1 AND 200),\n"
                                             "  field TEXT NOT NULL CHECK (field IN ('route', 'destination_ka', "
                                             "'destination_en', 'via_ka', 'via_en')),\n"
                                             "  value TEXT NOT NULL CHECK (length(value) <= 1000),\n"
                                             "  time TEXT NOT NULL CHECK (length(time) = 24),\n"
                                             "  PRIMARY KEY (code_key, field)\n"
                                             ")"));
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
    for (const Destination& d : imported) {
        const auto found = held.find(SetSchema::key(d.code));
        if (found == held.end())
            continue;
        for (const TextField& f : TextFields) {
            if (found->second->*f.text != d.*f.text)
                continue;
            q.bindValue(0, found->first);
            q.bindValue(1, QString::fromLatin1(f.name));
            q.bindValue(2, SetSchema::notNull(d.*f.text));
            q.bindValue(3, stored(time));
            if (!q.exec())
                return failed(q);
        }
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
