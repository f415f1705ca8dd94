// `vexel fleet status` of 2,000 buses on three signs, serving five codes
// each, from a journal of 200,000 sends; beside reading those entries alone
// as `vexel journal` does.
#include "depot/DestinationSet.h"
#include "depot/ReleaseTable.h"
#include "document/ImageFile.h"
#include "session/BusList.h"
#include "session/FleetStatus.h"
#include "session/SendJournal.h"
#include "support/TestFiles.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <map>

namespace {

using namespace vexel;

constexpr int Buses = 2000;
constexpr int Entries = 200000;
constexpr int Codes = 40;

struct Fleet {
    QTemporaryDir dir;
    SendJournal journal{QString(), QString()};
    bool ok = false;

    Fleet()
    {
        const QString setPath = dir.filePath(QStringLiteral("city.vxset"));
        const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
        const std::vector<VehicleSign> signs = {{QStringLiteral("front"), 40, 8, layout},
                                                {QStringLiteral("side"), 32, 8, layout},
                                                {QStringLiteral("rear"), 16, 8, layout}};
        auto made = DestinationSet::create(setPath, signs);
        if (!made)
            return;
        DestinationSet& set = *made.value();
        // Two releases; the second changes every tenth code.
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
                    const ImageRecord image = *ImageFile::parse(
                        testing_support::randomImageText(1, s.width, s.height, unsigned(c * 31 + s.width + (changed ? 7 : 0))));
                    v.images.push_back({s.name, d.code, image});
                    sums[version][s.name + QLatin1Char('/') + d.code] =
                        ReleaseTable::imageSum(QByteArray::fromStdString(image.text()));
                }
            }
            if (!set.addVersion(v))
                return;
        }
        const QString setId = set.setId();

        journal = SendJournal(dir.filePath(QStringLiteral("journal.sqlite")), QString(), QStringLiteral("depot-1"));
        std::vector<Bus> buses;
        for (int b = 0; b < Buses; ++b) {
            Bus bus;
            bus.number = QString::number(1000 + b);
            bus.depot = b % 2 ? QStringLiteral("Gldani") : QStringLiteral("Saburtalo");
            bus.set = setPath;
            for (int k = 0; k < 5; ++k)
                bus.codes << QString::number((b + k * 7) % Codes + 1);
            buses.push_back(bus);
        }
        if (!BusList(journal).merge(buses))
            return;
        JournalEntry first;
        first.bus = QStringLiteral("0");
        first.reply = QStringLiteral("CS");
        if (!journal.record(first))
            return;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fleet"));
            db.setDatabaseName(journal.path());
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN"));
            q.prepare(QStringLiteral("INSERT INTO entry (time, bus, sign, set_name, version, port, kind, files, bytes, "
                                     "checksum, reply, uid, station, pending, set_id, sums) VALUES "
                                     "(?, ?, ?, 'city.vxset', ?, '/dev/ttyUSB0', 'send', ?, 900, 4660, ?, ?, ?, 0, ?, ?)"));
            const QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(6, 0), Qt::UTC);
            for (int n = 0; n < Entries; ++n) {
                const Bus& bus = buses[std::size_t(n % Buses)];
                const QString sign = signs[std::size_t((n / Buses) % 3)].name;
                // Every fifth bus was last sent the first release.
                const int version = n < Entries * 3 / 4 || n % Buses % 5 == 0 ? 1 : 2;
                QStringList files;
                QStringList sent;
                for (const QString& code : bus.codes) {
                    files << code + QStringLiteral(".img");
                    sent << sums[version][sign + QLatin1Char('/') + code];
                }
                q.addBindValue(start.addSecs(n * 60).toString(Qt::ISODateWithMs));
                q.addBindValue(bus.number);
                q.addBindValue(sign);
                q.addBindValue(version);
                q.addBindValue(files.join(QLatin1Char('\n')));
                q.addBindValue(n % 17 == 0 ? QStringLiteral("no reply") : QStringLiteral("OK"));
                q.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
                q.addBindValue(n % 3 ? QStringLiteral("depot-1") : QStringLiteral("depot-2"));
                q.addBindValue(setId);
                q.addBindValue(sent.join(QLatin1Char('\n')));
                if (!q.exec())
                    return;
            }
            q.exec(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-fleet"));
        ok = true;
    }
};

Fleet& fleet()
{
    static Fleet made;
    return made;
}

void BM_JournalRead200k(benchmark::State& state)
{
    Fleet& f = fleet();
    if (!f.ok) {
        state.SkipWithError("the fleet was not made");
        return;
    }
    for (auto _ : state) {
        const auto entries = f.journal.entries();
        benchmark::DoNotOptimize(entries ? entries->size() : 0);
    }
}
BENCHMARK(BM_JournalRead200k)->Unit(benchmark::kMillisecond);

void BM_FleetStatus2000(benchmark::State& state)
{
    Fleet& f = fleet();
    if (!f.ok) {
        state.SkipWithError("the fleet was not made");
        return;
    }
    std::size_t behind = 0;
    for (auto _ : state) {
        const auto all = FleetStatus::load(f.journal, QDate(2027, 1, 1));
        if (!all) {
            state.SkipWithError(all.error().c_str());
            return;
        }
        behind = 0;
        for (const FleetBusState& b : *all)
            behind += b.isBehind() ? 1 : 0;
        benchmark::DoNotOptimize(behind);
    }
    state.counters["behind"] = double(behind);
}
BENCHMARK(BM_FleetStatus2000)->Unit(benchmark::kMillisecond);

} // namespace
