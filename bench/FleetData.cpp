#include "FleetData.h"

#include "BenchSupport.h"

#include "sets/DestinationSet.h"
#include "store/ReleaseTable.h"
#include "store/ServerAddress.h"
#include "document/ImageFile.h"
#include "fleet/BusList.h"
#include "fleet/JournalServer.h"
#include "support/TestFiles.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <cstdlib>
#include <map>

namespace fleet_bench {

namespace {

using namespace vexel;

constexpr int Buses = 2000;
constexpr int Entries = 200000;
constexpr int Codes = 40;

struct Sent {
    QString time, bus, sign, files, reply, uid, station, sums;
    int version = 1;
};

struct Made {
    QString setPath;
    QString setId;
    std::vector<Bus> buses;
    std::vector<Sent> sends;
};

// A set released twice, the second changing every tenth code, and the sends
// of its buses: every fifth bus last got the first release.
std::string makeSetAndSends(const QString& dir, Made& made)
{
    made.setPath = dir + QStringLiteral("/city.vxset");
    const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
    const std::vector<VehicleSign> signs = {{QStringLiteral("front"), 40, 8, layout},
                                            {QStringLiteral("side"), 32, 8, layout},
                                            {QStringLiteral("rear"), 16, 8, layout}};
    auto set = DestinationSet::create(made.setPath, signs);
    if (!set)
        return set.error().toStdString();
    std::map<QString, QString> sums[3];
    for (int version = 1; version <= 2; ++version) {
        SetVersion v;
        for (int c = 0; c < Codes; ++c) {
            Destination d;
            d.code = d.route = QString::number(c + 1);
            d.destinationKa = QStringLiteral("ადგილი %1").arg(c);
            v.destinations.push_back(d);
            const bool changed = version == 2 && c % 10 == 0;
            for (const VehicleSign& s : signs) {
                const ImageRecord image = *ImageFile::parse(testing_support::randomImageText(
                    1, s.width, s.height, unsigned(c * 31 + s.width + (changed ? 7 : 0))));
                v.images.push_back({s.name, d.code, image});
                sums[version][s.name + QLatin1Char('/') + d.code] =
                    ReleaseTable::imageSum(QByteArray::fromStdString(image.text()));
            }
        }
        if (const auto added = set.value()->addVersion(v); !added)
            return added.error().toStdString();
    }
    made.setId = set.value()->setId();

    for (int b = 0; b < Buses; ++b) {
        Bus bus;
        bus.number = QString::number(1000 + b);
        bus.depot = b % 2 ? QStringLiteral("Gldani") : QStringLiteral("Saburtalo");
        bus.set = made.setPath;
        for (int k = 0; k < 5; ++k)
            bus.codes << QString::number((b + k * 7) % Codes + 1);
        made.buses.push_back(bus);
    }
    const QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(6, 0), Qt::UTC);
    made.sends.reserve(Entries);
    for (int n = 0; n < Entries; ++n) {
        const Bus& bus = made.buses[std::size_t(n % Buses)];
        Sent s;
        s.sign = signs[std::size_t((n / Buses) % 3)].name;
        s.version = n < Entries * 3 / 4 || n % Buses % 5 == 0 ? 1 : 2;
        QStringList files;
        QStringList sent;
        for (const QString& code : bus.codes) {
            files << code + QStringLiteral(".img");
            sent << sums[s.version][s.sign + QLatin1Char('/') + code];
        }
        s.time = start.addSecs(n * 60).toString(Qt::ISODateWithMs);
        s.bus = bus.number;
        s.files = files.join(QLatin1Char('\n'));
        s.sums = sent.join(QLatin1Char('\n'));
        s.reply = n % 17 == 0 ? QStringLiteral("no reply") : QStringLiteral("OK");
        s.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        s.station = n % 3 ? QStringLiteral("depot-1") : QStringLiteral("depot-2");
        made.sends.push_back(std::move(s));
    }
    return {};
}

std::string insertLocally(const QString& path, const Made& made)
{
    std::string failed;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fleet"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("INSERT INTO entry (time, bus, sign, set_name, version, port, kind, files, bytes, "
                                 "checksum, reply, uid, station, pending, set_id, sums) VALUES "
                                 "(?, ?, ?, 'city.vxset', ?, '/dev/ttyUSB0', 'send', ?, 900, 4660, ?, ?, ?, 0, ?, ?)"));
        for (const Sent& s : made.sends) {
            for (const QVariant& v : {QVariant(s.time), QVariant(s.bus), QVariant(s.sign), QVariant(s.version),
                                      QVariant(s.files), QVariant(s.reply), QVariant(s.uid), QVariant(s.station),
                                      QVariant(made.setId), QVariant(s.sums)})
                q.addBindValue(v);
            if (!q.exec()) {
                failed = q.lastError().text().toStdString();
                break;
            }
        }
        q.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fleet"));
    return failed;
}

QString literal(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A thousand rows a statement: row by row, 200,000 round trips would take
// longer than the benchmarks.
std::string insertOnServer(const ServerAddress& address, const Made& made)
{
    std::string failed;
    {
        QSqlDatabase db = address.connection(QStringLiteral("bench-fleet-server"), 600000);
        if (!db.open())
            return db.lastError().text().toStdString();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        for (std::size_t from = 0; from < made.sends.size() && failed.empty(); from += 1000) {
            QStringList rows;
            for (std::size_t i = from; i < std::min(made.sends.size(), from + 1000); ++i) {
                const Sent& s = made.sends[i];
                rows << QStringLiteral("(%1, %2, %3, %4, 'city.vxset', %5, '/dev/ttyUSB0', 'send', %6, 900, 4660, %7, "
                                       "%8, %9, %10)")
                            .arg(literal(s.uid), literal(s.time), literal(s.bus), literal(s.sign))
                            .arg(s.version)
                            .arg(literal(s.files), literal(s.reply), literal(s.station), literal(made.setId),
                                 literal(s.sums));
            }
            if (!q.exec(QStringLiteral("INSERT INTO %1 (id, time, bus, sign, set_name, version, port, kind, files, "
                                       "bytes, checksum, reply, station, set_id, sums) VALUES ")
                            .arg(QLatin1String("vexel_journal")) +
                        rows.join(QLatin1Char(','))))
                failed = q.lastError().text().toStdString();
        }
        q.exec(QStringLiteral("COMMIT"));
        // One transaction of 200,000 sends left every version of each sign's
        // carried row behind, which sends made one at a time do not; then as
        // the server's autovacuum would have done after months of sends.
        q.exec(QStringLiteral("VACUUM FULL vexel_carried"));
        q.exec(QStringLiteral("VACUUM ANALYZE"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fleet-server"));
    return failed;
}

void make(Fleet& fleet, bool onServer)
{
    Made made;
    if (fleet.failed = makeSetAndSends(fleet.dir.path(), made); !fleet.failed.empty())
        return;
    const QString local = fleet.dir.filePath(QStringLiteral("journal.sqlite"));
    QString server;
    if (onServer) {
        const Expected<QString> db = bench::freshServerDatabase(QStringLiteral("bench_fleet"));
        if (!db) {
            fleet.failed = db.error().toStdString();
            return;
        }
        server = *db;
        if (const Status init = JournalServer::at(server)->init(); !init) {
            fleet.failed = init.error().toStdString();
            return;
        }
    }
    fleet.journal = SendJournal(local, server, QStringLiteral("depot-1"));
    if (const auto merged = BusList(fleet.journal).merge(made.buses); !merged) {
        fleet.failed = merged.error().toStdString();
        return;
    }
    if (!onServer) {
        // Makes the file with its tables before the rows go in.
        JournalEntry first;
        first.bus = QStringLiteral("0");
        first.reply = QStringLiteral("CS");
        if (const Status recorded = fleet.journal.record(first); !recorded) {
            fleet.failed = recorded.error().toStdString();
            return;
        }
        fleet.failed = insertLocally(local, made);
    } else {
        fleet.failed = insertOnServer(*ServerAddress::parse(server, ServerAddress::SetName::Forbidden), made);
    }
}

} // namespace

Fleet& onFile()
{
    static Fleet fleet;
    static const bool made = (make(fleet, false), true);
    (void)made;
    return fleet;
}

Fleet& onServer()
{
    static Fleet fleet;
    static const bool made = (make(fleet, true), true);
    (void)made;
    return fleet;
}

} // namespace fleet_bench
