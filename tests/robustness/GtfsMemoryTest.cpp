// `vexel set gtfs` run as a child process, its peak resident memory read
// when it ends: a zip bomb is refused without the memory it promises, and a
// city's feed is imported in little.
#include "sets/DestinationSet.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/SignProfile.h"
#include "robustness/MeasuredRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace vexel;
using namespace testing_support;

namespace {

// A member of `size` bytes made of one row said over and over, deflated at
// the highest level while it is written: nothing of it is ever in memory.
struct RepeatedRows {
    QByteArray header;
    QByteArray row;
    quint64 size = 0;
    quint64 at = 0;
    zip_error_t error{};

    static zip_int64_t call(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto* self = static_cast<RepeatedRows*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            self->at = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            auto* out = static_cast<char*>(data);
            const quint64 h = static_cast<quint64>(self->header.size());
            const quint64 r = static_cast<quint64>(self->row.size());
            zip_uint64_t n = 0;
            while (n < length && self->at < self->size) {
                const char* from = self->at < h ? self->header.constData() + self->at
                                                : self->row.constData() + (self->at - h) % r;
                const quint64 left = self->at < h ? h - self->at : r - (self->at - h) % r;
                const quint64 take = std::min<quint64>({left, length - n, self->size - self->at});
                std::memcpy(out + n, from, take);
                n += take;
                self->at += take;
            }
            return static_cast<zip_int64_t>(n);
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = self->size;
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error, data, length);
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return -1;
        }
    }
};

bool writeBomb(const QString& path, quint64 bytes)
{
    const gtfs_test::Files feed = gtfs_test::smallFeed();
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const char* name : {"feed_info.txt", "routes.txt"}) {
        const QByteArray& text = feed.at(name);
        zip_source_t* s = zip_source_buffer(z, text.constData(), static_cast<zip_uint64_t>(text.size()), 0);
        if (!s || zip_file_add(z, name, s, 0) < 0) {
            zip_discard(z);
            return false;
        }
    }
    RepeatedRows rows;
    rows.header = "route_id,service_id,trip_id,trip_headsign,direction_id\n";
    rows.row = "r1,wk,t1,ვაკე,0\n";
    rows.size = bytes;
    zip_error_init(&rows.error);
    zip_source_t* s = zip_source_function(z, &RepeatedRows::call, &rows);
    const zip_int64_t index = s ? zip_file_add(z, "trips.txt", s, 0) : -1;
    if (index < 0 || zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) < 0) {
        zip_discard(z);
        return false;
    }
    return zip_close(z) == 0;
}

class GtfsMemory : public ::testing::Test {
protected:
    GtfsMemory()
    {
        set = dir.filePath(QStringLiteral("fleet.vxset"));
        auto made = DestinationSet::create(set, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
    }
    QTemporaryDir dir;
    QString set;
};

TEST_F(GtfsMemory, AGibibyteBombIsRefusedInLittleMemory)
{
    const QString bomb = dir.filePath(QStringLiteral("bomb.zip"));
    ASSERT_TRUE(writeBomb(bomb, 1024ULL * 1024 * 1024));
    ASSERT_LT(QFile(bomb).size(), 4 * 1024 * 1024); // what an attacker sends

    const MeasuredRun run = runVexelMeasured({"set", "gtfs", set, bomb}, dir.filePath(QStringLiteral("err")));
    EXPECT_EQ(run.exit, 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("\"trips.txt\" in \"bomb.zip\" decompresses to more than 100 times its "
                                                "compressed size (a zip bomb)")))
        << run.output.toStdString();
    expectPeakAtMost(run, 300);
}

// 50,000 trips and 1,000,000 stop times with stop headsigns.
TEST_F(GtfsMemory, ACitysFeedIsImportedInLittleMemory)
{
    gtfs_test::Files f;
    f["feed_info.txt"] = "feed_lang\nka\n";
    QByteArray& routes = f["routes.txt"] = "route_id,route_short_name\n";
    QByteArray& trips = f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n";
    QByteArray& stopTimes = f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\n";
    for (int r = 0; r < 500; ++r) {
        routes += "r" + QByteArray::number(r) + "," + QByteArray::number(r + 1) + "\n";
        for (int t = 0; t < 100; ++t) {
            const QByteArray id = "r" + QByteArray::number(r) + "_" + QByteArray::number(t);
            trips += "r" + QByteArray::number(r) + "," + id + ",ვაკე " + QByteArray::number(r % 7) + "," +
                     QByteArray::number(t % 2) + "\n";
            for (int s = 1; s <= 20; ++s)
                stopTimes += id + "," + QByteArray::number(s) + ",დიდუბე " + QByteArray::number((r + s / 5) % 9) + "\n";
        }
    }
    const QString zip = dir.filePath(QStringLiteral("city.zip"));
    ASSERT_TRUE(gtfs_test::writeZip(zip, f));
    f.clear();

    const MeasuredRun run = runVexelMeasured({"set", "gtfs", set, zip}, dir.filePath(QStringLiteral("err")));
    ASSERT_EQ(run.exit, 0) << run.output.toStdString();
    expectPeakAtMost(run, 100);
}

} // namespace
