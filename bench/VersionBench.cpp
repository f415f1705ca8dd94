// Two versions of a set of 500 destinations on three signs (160 x 19,
// 112 x 16, 28 x 16, three frames each) read from the set and compared, as
// `vexel set diff` and the Versions window do; beside selecting the same
// stored rows without unpacking them.
#include "sets/DestinationSet.h"
#include "sets/VersionDiff.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vexel;

struct VersionedSet {
    QTemporaryDir dir;
    QString path;
    bool ok = false;

    VersionedSet() : path(dir.filePath(QStringLiteral("fleet.vxset")))
    {
        const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
        const std::vector<VehicleSign> signs = {{QStringLiteral("front"), 160, 19, layout},
                                                {QStringLiteral("side"), 112, 16, layout},
                                                {QStringLiteral("rear"), 28, 16, layout}};
        auto made = DestinationSet::create(path, signs);
        if (!made)
            return;
        DestinationSet& set = *made.value();
        for (const bool second : {false, true}) {
            SetVersion v;
            for (int i = 0; i < 500; ++i) {
                Destination d;
                d.code = QString::number(i / 2 + 1) + (i % 2 ? QStringLiteral("R") : QString());
                d.route = QString::number(i / 2 + 1);
                d.destinationKa = QStringLiteral("ადგილი %1").arg(i);
                d.destinationEn = QStringLiteral("Place %1").arg(i);
                const bool renamed = second && i % 10 == 3;
                if (renamed)
                    d.destinationEn += QStringLiteral(" new");
                if (second && i % 50 == 7)
                    continue;
                v.destinations.push_back(d);
                for (const VehicleSign& s : signs)
                    v.images.push_back({s.name, d.code,
                                        *ImageFile::parse(testing_support::randomImageText(
                                            3, s.width, s.height, unsigned(i * 7 + s.width + (renamed ? 1 : 0))))});
            }
            if (!set.addVersion(v))
                return;
        }
        ok = true;
    }
};

VersionedSet& versionedSet()
{
    static VersionedSet made;
    return made;
}

void BM_VersionRows500x3(benchmark::State& state)
{
    VersionedSet& fixture = versionedSet();
    if (!fixture.ok) {
        state.SkipWithError("the set was not made");
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-rows"));
        db.setDatabaseName(fixture.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
        for (auto _ : state) {
            qint64 bytes = 0;
            for (int n : {1, 2}) {
                QSqlQuery q(db);
                q.setForwardOnly(true);
                q.exec(QStringLiteral("SELECT i.sign, i.code, t.text FROM version_image i JOIN image_text t ON "
                                      "t.id = i.image WHERE i.version = %1 ORDER BY i.position")
                           .arg(n));
                while (q.next())
                    bytes += q.value(2).toByteArray().size() + q.value(0).toString().size();
            }
            benchmark::DoNotOptimize(bytes);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-rows"));
}
BENCHMARK(BM_VersionRows500x3)->Unit(benchmark::kMillisecond);

void BM_VersionDiff500x3(benchmark::State& state)
{
    VersionedSet& fixture = versionedSet();
    if (!fixture.ok) {
        state.SkipWithError("the set was not made");
        return;
    }
    auto opened = DestinationSet::open(fixture.path, DestinationSet::Access::Read);
    if (!opened) {
        state.SkipWithError(opened.error().toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        const Expected<VersionDiff> diff = opened.value()->compareVersions(1, 2);
        if (!diff) {
            state.SkipWithError(diff.error().toStdString().c_str());
            return;
        }
        const QStringList lines = versionDiffLines(*diff);
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_VersionDiff500x3)->Unit(benchmark::kMillisecond);

} // namespace
