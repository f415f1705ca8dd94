#include "sets/SetCopy.h"

#include "store/CopyOrigin.h"
#include "sets/DestinationSet.h"
#include "store/DestinationTable.h"
#include "store/ImportMemory.h"
#include "store/OverrideTable.h"
#include "store/ReleaseTable.h"
#include "store/ServerAddress.h"
#include "store/SetEngine.h"
#include "store/SetSchema.h"
#include "store/SetWords.h"
#include "store/SignTable.h"
#include "store/VersionTable.h"
#include "store/WordTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <iterator>
#include <optional>

namespace vexel {

namespace {

// Every table of a set, in an order its references allow. A table the new
// set has and this list lacks stops the copy rather than being left empty.
const char* const Tables[] = {
    "sign",          "destination",         "override",      "destination_history", "feed",
    "abbreviation",  "upper_word",          "via_separator", "image_text",          "version",
    "version_destination", "version_image", "version_override", "version_finding", "version_release",
    "set_identity",  "copy_origin",         "copy_base",     "imported_text",       "service_word",
    "keep_together", "via_word",            "code_rule",
};

// Tables whose row order is part of their content: a file keeps it in its
// rowid, a server in its seq column.
bool ordered(const QString& table) { return SetWords::orderedTable(table); }

bool copyRecord(const QString& table)
{
    return table == QLatin1String("copy_origin") || table == QLatin1String("copy_base");
}

// Tables whose ids a server numbers itself; its counters must go on after
// the ids copied in.
const char* const Numbered[] = {"sign", "destination", "image_text", "destination_history"};

SetCopy::TableHook& afterTable()
{
    static SetCopy::TableHook hook;
    return hook;
}

Status failed(const QSqlQuery& q) { return Status::failure(SetSchema::message(q.lastError())); }

Expected<QStringList> tablesOf(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    const bool server = SetEngine::of(db).onServer();
    if (!q.exec(server ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                        "current_schema() AND table_type = 'BASE TABLE' AND table_name <> 'set_version'")
                       : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'")))
        return Expected<QStringList>(failed(q));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

// The columns the set's steps make, without a server's seq, which numbers
// itself in the order rows are copied in.
Expected<QStringList> columnsOf(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    const bool server = SetEngine::of(db).onServer();
    q.prepare(server ? QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                                      "current_schema() AND table_name = ? ORDER BY ordinal_position")
                     : QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    q.addBindValue(table);
    if (!q.exec())
        return Expected<QStringList>(failed(q));
    QStringList out;
    while (q.next())
        if (!(server && q.value(0).toString() == QLatin1String("seq")))
            out << q.value(0).toString();
    if (out.isEmpty())
        return Expected<QStringList>::failure(QCoreApplication::translate("SetCopy", "it has no table \"%1\"").arg(table));
    return out;
}

Expected<int> copyTable(const QSqlDatabase& from, QSqlDatabase& to, const QString& table)
{
    const Expected<QStringList> columns = columnsOf(to, table);
    if (!columns)
        return Expected<int>(columns.status());
    const QString list = columns->join(QStringLiteral(", "));
    QSqlQuery read(from);
    read.setForwardOnly(true);
    QString select = QStringLiteral("SELECT %1 FROM %2").arg(list, table);
    if (ordered(table))
        select += SetEngine::of(from).sql(" ORDER BY {rowid}");
    if (!read.exec(select))
        return Expected<int>(failed(read));
    QStringList marks;
    for (int i = 0; i < columns->size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery write(to);
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, list, marks.join(QStringLiteral(", ")))))
        return Expected<int>(failed(write));
    int rows = 0;
    while (read.next()) {
        for (int i = 0; i < columns->size(); ++i)
            write.bindValue(i, read.value(i));
        if (!write.exec())
            return Expected<int>::failure(
                QStringLiteral("a row of %1 cannot be written: ").arg(table) + SetSchema::message(write.lastError()));
        ++rows;
    }
    if (read.lastError().isValid())
        return Expected<int>(failed(read));
    return rows;
}

// The new set is read back as any set is, so a row its source should never
// have held is refused here rather than in the next editor.
Status readBack(QSqlDatabase& db, const QString& setId)
{
    Status fine = DestinationTable(db).all().status();
    if (fine)
        fine = SignTable(db).all().status();
    if (fine)
        fine = OverrideTable(db).all().status();
    if (fine)
        fine = WordTable(db).read().status();
    if (fine)
        fine = VersionTable(db).all().status();
    if (fine)
        fine = VersionTable(db).checkTexts();
    if (fine)
        fine = ReleaseTable(db).releases().status();
    if (fine)
        fine = CopyOrigin(db).bases().status();
    if (fine)
        fine = ImportMemory(db).read().status();
    const Expected<QString> id = fine ? ReleaseTable(db).setId() : Expected<QString>(fine);
    if (!id)
        return id.status();
    if (*id != setId)
        return Status::failure(QCoreApplication::translate("SetCopy", "the set's id did not come across"));
    return Status::success();
}

// Every table of the new set is one a copy knows.
Status knownTables(const QSqlDatabase& db)
{
    const Expected<QStringList> tables = tablesOf(db);
    if (!tables)
        return tables.status();
    for (const QString& table : *tables)
        if (std::none_of(std::begin(Tables), std::end(Tables), [&](const char* t) { return table == QLatin1String(t); }))
            return Status::failure(QCoreApplication::translate("SetCopy", "its table \"%1\" is not one a copy knows").arg(table));
    return Status::success();
}

// The steps' own rows (the set's new id, the default separator) give way to the source's.
Status emptyTables(QSqlDatabase& db)
{
    for (auto t = std::rbegin(Tables); t != std::rend(Tables); ++t) {
        const Status emptied = SetSchema::run(db, QStringLiteral("DELETE FROM ") + QLatin1String(*t));
        if (!emptied)
            return emptied;
    }
    return Status::success();
}

// Every table's rows from `src`, counted in the summary. Only a file's copy
// of a file stays the offline copy its source is.
Status copyTables(const QSqlDatabase& src, QSqlDatabase& db, bool fileToFile, SetCopy::Summary& summary)
{
    for (const char* t : Tables) {
        const QString table = QLatin1String(t);
        if (copyRecord(table) && !fileToFile)
            continue;
        const Expected<int> rows = copyTable(src, db, table);
        if (!rows)
            return rows.status();
        if (table == QLatin1String("destination"))
            summary.destinations = *rows;
        else if (table == QLatin1String("version"))
            summary.versions = *rows;
        else if (table == QLatin1String("image_text"))
            summary.images = *rows;
        if (afterTable()) {
            const Status goOn = afterTable()(table);
            if (!goOn)
                return goOn;
        }
    }
    return Status::success();
}

// A server's counters go on after the ids copied in.
Status restartCounters(QSqlDatabase& db)
{
    for (const char* t : Numbered) {
        const Status counted = SetSchema::run(
            db, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), coalesce(max(id), 0) + 1, false) "
                               "FROM %1")
                    .arg(QLatin1String(t)));
        if (!counted)
            return counted;
    }
    return Status::success();
}

// An offline copy remembers its server set and agrees with it on every
// destination as it is now.
Status recordOrigin(QSqlDatabase& db, const QString& address, const QString& setId)
{
    const Expected<CopyOrigin::States> states = CopyOrigin::states(db);
    if (!states)
        return states.status();
    CopyOrigin::Bases bases;
    for (const auto& [key, state] : *states)
        bases.emplace(key, CopyOrigin::Base{state.code, state.revision, state.digest, state.digest});
    return CopyOrigin(db).record(CopyOrigin::Origin{address, setId, QDateTime::currentDateTimeUtc()}, bases);
}

// The server the copy goes to, if it goes to one; the summary names where.
Expected<std::optional<ServerAddress>> destinationOf(const QString& to, SetCopy::Summary& summary)
{
    if (!ServerAddress::isServer(to)) {
        summary.to = QDir::toNativeSeparators(to);
        return std::optional<ServerAddress>();
    }
    const Expected<ServerAddress> parsed = ServerAddress::parse(to, ServerAddress::SetName::Required);
    if (!parsed)
        return Status::failure(QCoreApplication::translate("SetCopy", "Cannot copy destination set: %1").arg(parsed.error()));
    summary.to = parsed->shown();
    return std::optional<ServerAddress>(*parsed);
}

} // namespace

void SetCopy::setAfterTable(TableHook hook) { afterTable() = std::move(hook); }

Expected<SetCopy::Summary> SetCopy::copy(const QString& from, const QString& to)
{
    using Result = Expected<Summary>;
    Summary summary;
    const Expected<std::optional<ServerAddress>> address = destinationOf(to, summary);
    if (!address)
        return Result(address.status());
    const bool toServer = address->has_value();
    auto opened = DestinationSet::open(from, DestinationSet::Access::Read);
    if (!opened)
        return Result(opened.status());
    const DestinationSet& source = *opened.value();
    auto fail = [&](const QString& reason) {
        return Result::failure(QCoreApplication::translate("SetCopy", "Cannot copy destination set \"%1\" to \"%2\": ")
                                   .arg(QDir::toNativeSeparators(source.path()), summary.to)
                                    +
                               reason);
    };
    if (!toServer && (QFileInfo::exists(to) || QFileInfo(to).isSymLink()))
        return fail("the file exists already");
    const QString setId = source.setId();
    if (setId.isEmpty())
        return fail("it is of an older set version and has no lasting id yet; open it once for editing first");
    summary.offline = source.onServer() && !toServer;
    const bool fileToFile = !source.onServer() && !toServer;

    // One snapshot of the source, however long the copy takes and whoever
    // changes it meanwhile.
    QSqlDatabase src = source.database();
    const Status snapshot = SetSchema::run(src, source.onServer() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")
                                                                  : QStringLiteral("BEGIN"));
    if (!snapshot)
        return fail(snapshot.error());
    const auto fill = [&](QSqlDatabase& db) {
        Status fine = knownTables(db);
        if (fine)
            fine = emptyTables(db);
        if (fine)
            fine = copyTables(src, db, fileToFile, summary);
        if (fine && toServer)
            fine = restartCounters(db);
        if (fine && summary.offline)
            fine = recordOrigin(db, source.path(), setId);
        return fine ? readBack(db, setId) : fine;
    };
    const Status made = toServer ? DestinationSet::makeServer(**address, fill) : DestinationSet::makeFile(to, fill);
    SetSchema::run(src, QStringLiteral("ROLLBACK"));
    if (!made)
        return fail(made.error());
    return summary;
}

} // namespace vexel
