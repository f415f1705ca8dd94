#include "store/DestinationTable.h"

#include "depot/FileStem.h"
#include "store/SetSchema.h"
#include "depot/TextLimit.h"

#include <QSqlError>
#include <QStringList>
#include <QSqlQuery>
#include <QVariant>

#include <set>

namespace vexel {

namespace {

QString field(const QString& text)
{
    const QString shortened = text.size() > 80 ? text.left(79) + QChar(0x2026) : text;
    return QLatin1Char('"') + shortened + QLatin1Char('"');
}

QString stampTime(const ChangeStamp& stamp) { return stamp.time.toUTC().toString(Qt::ISODateWithMs); }

void bindStamp(QSqlQuery& query, const ChangeStamp& stamp)
{
    query.bindValue(QStringLiteral(":by"), SetSchema::notNull(stamp.station));
    query.bindValue(QStringLiteral(":at"), stampTime(stamp));
}

void bindTexts(QSqlQuery& query, const Destination& d)
{
    query.bindValue(QStringLiteral(":code"), SetSchema::notNull(d.code));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(SetSchema::notNull(d.code)));
    query.bindValue(QStringLiteral(":route"), SetSchema::notNull(d.route));
    query.bindValue(QStringLiteral(":ka"), SetSchema::notNull(d.destinationKa));
    query.bindValue(QStringLiteral(":en"), SetSchema::notNull(d.destinationEn));
    query.bindValue(QStringLiteral(":via_ka"), SetSchema::notNull(d.viaKa));
    query.bindValue(QStringLiteral(":via_en"), SetSchema::notNull(d.viaEn));
    query.bindValue(QStringLiteral(":service"), SetSchema::notNull(d.service));
    query.bindValue(QStringLiteral(":note"), SetSchema::notNull(d.note));
    query.bindValue(QStringLiteral(":in_use"), d.inUse ? 1 : 0);
    query.bindValue(QStringLiteral(":suggested"), d.latinSuggested ? 1 : 0);
}

} // namespace

Status DestinationTable::check(const Destination& d)
{
    const Status named = FileStem::check(d.code, QStringLiteral("the code"));
    if (!named)
        return named;
    const std::pair<const QString*, const char*> texts[] = {
        {&d.route, "route"},         {&d.destinationKa, "destination_ka"}, {&d.destinationEn, "destination_en"},
        {&d.viaKa, "via_ka"},        {&d.viaEn, "via_en"},                 {&d.service, "service"}};
    for (const auto& [text, column] : texts) {
        const QString tooLong = signTextLengthError(*text, QLatin1String(column));
        if (!tooLong.isEmpty())
            return Status::failure(QStringLiteral("destination %1: %2").arg(d.code, tooLong));
    }
    if (d.destinationKa.trimmed().isEmpty() && d.destinationEn.trimmed().isEmpty())
        return Status::failure(
            QStringLiteral("destination %1 has no destination text in either script").arg(d.code));
    return Status::success();
}

Expected<std::vector<Destination>> DestinationTable::all() const
{
    using Result = Expected<std::vector<Destination>>;
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, code, route, destination_ka, destination_en, via_ka, via_en, note, "
                                   "in_use, latin_suggested, revision, service FROM destination ORDER BY id")))
        return Result::failure(SetSchema::message(query.lastError()));
    std::vector<Destination> out;
    std::set<QString> codes; // the index says so, but the file may have been made by hand
    while (query.next()) {
        Destination d;
        d.code = query.value(1).toString();
        d.route = query.value(2).toString();
        d.destinationKa = query.value(3).toString();
        d.destinationEn = query.value(4).toString();
        d.viaKa = query.value(5).toString();
        d.viaEn = query.value(6).toString();
        d.note = query.value(7).toString();
        d.service = query.value(11).toString();
        const QString where = QStringLiteral("destination row %1: ").arg(query.value(0).toLongLong());
        if (!SetSchema::flag(query.value(8), d.inUse) || !SetSchema::flag(query.value(9), d.latinSuggested))
            return Result::failure((where + QStringLiteral("a yes-or-no column holds something else")));
        bool okRevision = false;
        d.revision = query.value(10).toLongLong(&okRevision);
        if (!okRevision || d.revision < 1)
            return Result::failure((where + QStringLiteral("its revision is damaged")));
        const Status fine = check(d);
        if (!fine)
            return Result::failure(where + fine.error());
        if (!codes.insert(d.code.toLower()).second)
            return Result::failure((where + QStringLiteral("the code %1 is there twice").arg(d.code)));
        out.push_back(d);
    }
    if (query.lastError().isValid())
        return Result::failure(SetSchema::message(query.lastError()));
    return out;
}

Expected<std::optional<qint64>> DestinationTable::idOf(const QString& code) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT id FROM destination WHERE code_key = :key"));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(code));
    if (!query.exec())
        return Expected<std::optional<qint64>>::failure(SetSchema::message(query.lastError()));
    if (!query.next())
        return std::optional<qint64>();
    return std::optional<qint64>(query.value(0).toLongLong());
}

Status DestinationTable::insert(const Destination& d, const ChangeStamp& stamp, qint64 revision)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("INSERT INTO destination (code, route, destination_ka, destination_en, via_ka, "
                                 "via_en, service, note, in_use, latin_suggested, code_key, revision, changed_by, "
                                 "changed_at) VALUES (:code, :route, :ka, :en, :via_ka, :via_en, :service, :note, :in_use, "
                                 ":suggested, :key, :revision, :by, :at)"));
    bindTexts(query, d);
    bindStamp(query, stamp);
    query.bindValue(QStringLiteral(":revision"), revision);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Status DestinationTable::update(qint64 id, const Destination& d, const ChangeStamp& stamp)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("UPDATE destination SET code = :code, route = :route, destination_ka = :ka, "
                                 "destination_en = :en, via_ka = :via_ka, via_en = :via_en, service = :service, note = :note, "
                                 "in_use = :in_use, latin_suggested = :suggested, code_key = :key, "
                                 "revision = revision + 1, changed_by = :by, changed_at = :at WHERE id = :id"));
    bindTexts(query, d);
    bindStamp(query, stamp);
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Status DestinationTable::remove(qint64 id)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("DELETE FROM destination WHERE id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Expected<DestinationTable::RowState> DestinationTable::state(qint64 id) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT revision, code, changed_by, changed_at FROM destination WHERE id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return Expected<RowState>::failure(SetSchema::message(query.lastError()));
    if (!query.next())
        return Expected<RowState>::failure("the destination is gone");
    RowState row;
    row.revision = query.value(0).toLongLong();
    row.code = query.value(1).toString();
    row.station = query.value(2).toString();
    row.time = QDateTime::fromString(query.value(3).toString(), Qt::ISODateWithMs);
    return row;
}

Status DestinationTable::record(const QString& code, const ChangeStamp& stamp, const QString& what)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("INSERT INTO destination_history (code_key, code, time, station, db_user, what) "
                                 "VALUES (:key, :code, :at, :by, :user, :what)"));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(SetSchema::notNull(code)));
    query.bindValue(QStringLiteral(":code"), SetSchema::notNull(code));
    bindStamp(query, stamp);
    query.bindValue(QStringLiteral(":user"), SetSchema::notNull(stamp.user));
    query.bindValue(QStringLiteral(":what"), SetSchema::notNull(what));
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Expected<std::vector<HistoryEntry>> DestinationTable::history(const QString& code) const
{
    using Result = Expected<std::vector<HistoryEntry>>;
    // What a window shows of one destination; older entries stay in the set.
    constexpr int Shown = 500;
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT time, station, db_user, what FROM destination_history "
                                 "WHERE code_key = :key ORDER BY id DESC LIMIT %1")
                      .arg(Shown));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(code));
    if (!query.exec())
        return Result::failure(SetSchema::message(query.lastError()));
    std::vector<HistoryEntry> out;
    while (query.next()) {
        HistoryEntry c;
        c.time = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs);
        c.station = query.value(1).toString().left(200);
        c.user = query.value(2).toString().left(200);
        c.what = query.value(3).toString().left(4000);
        out.push_back(std::move(c));
    }
    if (query.lastError().isValid())
        return Result::failure(SetSchema::message(query.lastError()));
    return out;
}

QString DestinationTable::describe(const Destination& before, const Destination& after)
{
    const std::pair<const char*, QString Destination::*> texts[] = {
        {"code", &Destination::code},         {"route", &Destination::route},
        {"destination_ka", &Destination::destinationKa}, {"destination_en", &Destination::destinationEn},
        {"via_ka", &Destination::viaKa},      {"via_en", &Destination::viaEn},
        {"service", &Destination::service},   {"note", &Destination::note},
    };
    QStringList parts;
    for (const auto& [name, member] : texts)
        if (before.*member != after.*member)
            parts << QStringLiteral("%1 %2 \u2192 %3").arg(QLatin1String(name), field(before.*member), field(after.*member));
    if (before.inUse != after.inUse)
        parts << (after.inUse ? QStringLiteral("in use") : QStringLiteral("out of use"));
    if (before.latinSuggested != after.latinSuggested)
        parts << (after.latinSuggested ? QStringLiteral("Latin suggested") : QStringLiteral("Latin accepted"));
    return parts.isEmpty() ? QStringLiteral("unchanged") : parts.join(QStringLiteral("; "));
}

} // namespace vexel
