#include "fleet/BusList.h"

#include "store/ServerAddress.h"
#include "fleet/JournalServer.h"
#include "fleet/ServerLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>

namespace vexel {

namespace {

const char* const LocalTable = "CREATE TABLE IF NOT EXISTS bus ("
                               " number TEXT PRIMARY KEY,"
                               " depot TEXT NOT NULL,"
                               " set_ref TEXT NOT NULL,"
                               " codes TEXT NOT NULL,"
                               " in_service INTEGER NOT NULL CHECK (in_service IN (0, 1)),"
                               " note TEXT NOT NULL)";

QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

QString shown(const QString& path) { return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'); }

// A set on a server is kept and shown by its address without the password.
QString shownSet(const QString& set) { return ServerAddress::isServer(set) ? ServerAddress::hidden(set) : set; }

// The rows as stored, checked as they are read: the file or server may
// hold anything. A row that cannot be a bus is left out and named in
// `skipped`.
Expected<std::vector<Bus>> readRows(QSqlQuery& q, QStringList* skipped = nullptr)
{
    std::vector<Bus> out;
    while (q.next()) {
        if (out.size() >= static_cast<std::size_t>(BusList::MaxBuses))
            return Expected<std::vector<Bus>>::failure("it holds more than " + QString::number(BusList::MaxBuses) +
                                                       " buses");
        Bus b;
        b.number = q.value(0).toString();
        b.depot = q.value(1).toString();
        // A password kept by an older Vexel Image is not passed on.
        b.set = shownSet(q.value(2).toString());
        b.codes = q.value(3).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        b.inService = q.value(4).toInt() != 0;
        b.note = q.value(5).toString();
        const QString wrong = BusList::problem(b);
        if (!wrong.isEmpty()) {
            if (skipped)
                *skipped << QStringLiteral("bus %1 is not one Vexel Image writes (%2); left out")
                                .arg(SendJournal::printable(b.number.left(40)), wrong);
            continue;
        }
        out.push_back(std::move(b));
    }
    if (q.lastError().isValid())
        return Expected<std::vector<Bus>>::failure(q.lastError().text());
    std::sort(out.begin(), out.end(), [](const Bus& a, const Bus& b) { return BusList::naturalLess(a.number, b.number); });
    return out;
}

// Sorts the incoming buses into the report and says which to write.
std::vector<const Bus*> sortOut(const std::vector<Bus>& known, const std::vector<Bus>& incoming, BusImportReport& report)
{
    std::map<QString, const Bus*> byNumber;
    for (const Bus& b : known)
        byNumber[b.number] = &b;
    std::vector<const Bus*> write;
    for (const Bus& b : incoming) {
        const auto found = byNumber.find(b.number);
        if (found == byNumber.end()) {
            report.added << b.number;
            write.push_back(&b);
        } else if (!(*found->second == b)) {
            report.changed << b.number;
            write.push_back(&b);
        } else {
            report.unchanged << b.number;
        }
        byNumber[b.number] = &b;
    }
    return write;
}

// The server's rows, no text fetched longer than a bus may hold.
QString boundedSelect()
{
    return QStringLiteral("SELECT left(number, %1), left(depot, %2), left(set_ref, %2), left(codes, %2), "
                          "in_service::int, left(note, %2) FROM vexel_bus")
        .arg(BusList::MaxNumber + 1)
        .arg(BusList::MaxText + 1);
}

void bindBus(QSqlQuery& q, const Bus& b, bool boolean)
{
    q.addBindValue(b.number);
    q.addBindValue(text(b.depot));
    q.addBindValue(text(b.set));
    q.addBindValue(text(b.codes.join(QLatin1Char(' '))));
    q.addBindValue(boolean ? QVariant(b.inService) : QVariant(b.inService ? 1 : 0));
    q.addBindValue(text(b.note));
}

} // namespace

bool BusList::naturalLess(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i;
            int ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            // Leading zeros aside, a longer run is a larger number.
            QStringView da = QStringView(a).mid(i, ei - i);
            QStringView db = QStringView(b).mid(j, ej - j);
            while (da.size() > 1 && da[0] == QLatin1Char('0'))
                da = da.mid(1);
            while (db.size() > 1 && db[0] == QLatin1Char('0'))
                db = db.mid(1);
            if (da.size() != db.size())
                return da.size() < db.size();
            if (const int c = da.compare(db); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        const int c = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return a.size() - i < b.size() - j;
    return a < b;
}

QString BusList::problem(const Bus& bus)
{
    if (bus.number.trimmed().isEmpty())
        return QStringLiteral("the bus number is empty");
    if (bus.number.size() > MaxNumber)
        return QStringLiteral("the bus number is longer than %1 characters").arg(MaxNumber);
    const QString codes = bus.codes.join(QLatin1Char(' '));
    for (const QString* field : {&bus.number, &bus.depot, &bus.set, &codes, &bus.note}) {
        if (field->size() > MaxText)
            return QStringLiteral("a field is longer than %1 characters").arg(MaxText);
        for (const QChar c : *field)
            if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
                return QStringLiteral("it holds a control character");
    }
    if (bus.number != bus.number.trimmed())
        return QStringLiteral("the bus number has spaces around it");
    for (const QString& code : bus.codes)
        if (code.isEmpty() || code.contains(QLatin1Char(' ')))
            return QStringLiteral("a code is empty or holds a space");
    if (bus.codes.contains(QStringLiteral("*")) && bus.codes.size() > 1)
        return QStringLiteral("* stands for every code and goes alone");
    return {};
}

Expected<std::vector<Bus>> BusList::buses(QStringList* skipped) const
{
    return journal_.server().isEmpty() ? localBuses(skipped) : serverBuses(skipped);
}

Expected<BusImportReport> BusList::merge(const std::vector<Bus>& incoming)
{
    for (const Bus& b : incoming) {
        const QString wrong = problem(b);
        if (!wrong.isEmpty())
            return Expected<BusImportReport>::failure(
                QStringLiteral("Bus %1 cannot be kept: %2").arg(b.number.left(40), wrong));
    }
    std::vector<Bus> kept = incoming;
    for (Bus& b : kept)
        b.set = shownSet(b.set);
    return journal_.server().isEmpty() ? mergeLocally(kept) : mergeOnServer(kept);
}

Expected<std::vector<Bus>> BusList::localBuses(QStringList* skipped) const
{
    using Result = Expected<std::vector<Bus>>;
    const QString& path = journal_.path();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::vector<Bus>();
    const auto fail = [&](const QString& why) {
        return Result::failure(QCoreApplication::translate("BusList", "The bus list in %1 cannot be read: %2").arg(shown(path), why));
    };
    const FileLink link(path, true, SendJournal::BusyTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlQuery q(link.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'bus'")) || !q.next())
        return fail(q.lastError().text());
    if (q.value(0).toInt() == 0)
        return std::vector<Bus>();
    if (!q.exec(QStringLiteral("SELECT number, depot, set_ref, codes, in_service, note FROM bus")))
        return fail(q.lastError().text());
    Result read = readRows(q, skipped);
    return read ? read : fail(read.error());
}

Expected<BusImportReport> BusList::mergeLocally(const std::vector<Bus>& incoming) const
{
    using Result = Expected<BusImportReport>;
    const QString& path = journal_.path();
    const auto fail = [&](const QString& why) {
        return Result::failure("The bus list in " + shown(path) + " could not be written: " + why);
    };
    if (path.isEmpty())
        return fail("there is no folder for it");
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail("its folder cannot be made");
    const FileLink link(path, false, SendJournal::BusyTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlDatabase db = link.db();
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(q.lastError().text());
    const auto undo = [&](const QString& why) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    };
    if (!q.exec(QLatin1String(LocalTable)))
        return undo(q.lastError().text());
    if (!q.exec(QStringLiteral("SELECT number, depot, set_ref, codes, in_service, note FROM bus")))
        return undo(q.lastError().text());
    const Expected<std::vector<Bus>> known = readRows(q);
    if (!known)
        return undo(known.error());
    BusImportReport report;
    QSqlQuery put(db);
    put.prepare(QStringLiteral("INSERT OR REPLACE INTO bus (number, depot, set_ref, codes, in_service, note) "
                               "VALUES (?, ?, ?, ?, ?, ?)"));
    for (const Bus* b : sortOut(*known, incoming, report)) {
        bindBus(put, *b, false);
        if (!put.exec())
            return undo(put.lastError().text());
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return undo(q.lastError().text());
    return report;
}

Expected<std::vector<Bus>> BusList::serverBuses(QStringList* skipped) const
{
    using Result = Expected<std::vector<Bus>>;
    const Expected<JournalServer> server = JournalServer::at(journal_.server());
    if (!server)
        return server.status();
    const auto fail = [&](const QString& why) {
        return Result::failure(QCoreApplication::translate("BusList", "The bus list on %1 cannot be read: %2").arg(server->address().shown(), why));
    };
    const ServerLink link(server->address(), JournalServer::ConnectTimeout, JournalServer::StatementTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlQuery q(link.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT to_regclass('vexel_bus') IS NOT NULL")) || !q.next())
        return fail(ServerLink::why(q.lastError()));
    if (!q.value(0).toBool())
        return std::vector<Bus>();
    if (!q.exec(boundedSelect()))
        return fail(ServerLink::why(q.lastError()));
    Result read = readRows(q, skipped);
    return read ? read : fail(read.error());
}

Expected<BusImportReport> BusList::mergeOnServer(const std::vector<Bus>& incoming) const
{
    using Result = Expected<BusImportReport>;
    const Expected<JournalServer> server = JournalServer::at(journal_.server());
    if (!server)
        return server.status();
    const auto fail = [&](const QString& why) {
        return Result::failure("The bus list on " + server->address().shown() +
                               " could not be written: " + why);
    };
    // A whole fleet in one transaction: more time than one journal entry.
    const ServerLink link(server->address(), JournalServer::ConnectTimeout, 30000);
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlDatabase db = link.db();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT to_regclass('vexel_bus') IS NOT NULL")) || !q.next())
        return fail(ServerLink::why(q.lastError()));
    if (!q.value(0).toBool())
        return fail("the server has no bus list yet; `vexel db init` makes it");
    if (!db.transaction())
        return fail(ServerLink::why(db.lastError()));
    const auto undo = [&](const QString& why) {
        db.rollback();
        return fail(why);
    };
    // Two imports at once: the second waits and then sees the first's rows.
    if (!q.exec(QStringLiteral("LOCK TABLE vexel_bus IN SHARE ROW EXCLUSIVE MODE")))
        return undo(ServerLink::why(q.lastError()));
    if (!q.exec(boundedSelect()))
        return undo(ServerLink::why(q.lastError()));
    const Expected<std::vector<Bus>> known = readRows(q);
    if (!known)
        return undo(known.error());
    BusImportReport report;
    const std::vector<const Bus*> write = sortOut(*known, incoming, report);
    QSqlQuery put(db);
    put.prepare(QStringLiteral("INSERT INTO vexel_bus (number, depot, set_ref, codes, in_service, note) "
                               "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (number) DO UPDATE SET depot = EXCLUDED.depot, "
                               "set_ref = EXCLUDED.set_ref, codes = EXCLUDED.codes, in_service = EXCLUDED.in_service, "
                               "note = EXCLUDED.note, changed = now()"));
    for (const Bus* b : write) {
        bindBus(put, *b, true);
        if (!put.exec())
            return undo(ServerLink::why(put.lastError()));
    }
    if (!write.empty() && !q.exec(QStringLiteral("NOTIFY %1").arg(QLatin1String(FleetChannel))))
        return undo(ServerLink::why(q.lastError()));
    if (!db.commit())
        return undo(ServerLink::why(db.lastError()));
    return report;
}

QStringList BusList::serverSql()
{
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS vexel_bus (\n"
                           "  number text PRIMARY KEY CHECK (length(number) BETWEEN 1 AND %1),\n"
                           "  depot text NOT NULL,\n"
                           "  set_ref text NOT NULL,\n"
                           "  codes text NOT NULL,\n"
                           "  in_service boolean NOT NULL,\n"
                           "  note text NOT NULL,\n"
                           "  changed timestamptz NOT NULL DEFAULT now()\n"
                           ")")
                .arg(MaxNumber)};
}

QStringList BusList::grantSql()
{
    return {QStringLiteral("GRANT SELECT, INSERT, UPDATE ON vexel_bus TO vexel_editor"),
            QStringLiteral("GRANT SELECT ON vexel_bus TO vexel_viewer")};
}

} // namespace vexel
