// What each bus carries and where it is behind, from a set released in the
// test and a journal written in it. Included by the file journal's tests
// and the server's, each instantiating the cases for its engine.
#pragma once

#include "sets/DestinationSet.h"
#include "store/ReleaseTable.h"
#include "document/ImageFile.h"
#include "fleet/BusList.h"
#include "fleet/FleetStatus.h"
#include "fleet/SendJournal.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace fleet_cases {

using namespace vexel;

// How a test gets its journal: an empty server address is the local file.
struct Engine {
    const char* name;
    std::function<QString(const QString& database)> freshServer;
};

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) { return info.param.name; }

inline const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

inline QDateTime at(const char* when) { return QDateTime::fromString(QString::fromLatin1(when), Qt::ISODate); }

class FleetStatusCases : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        setPath = dir.filePath(QStringLiteral("city.vxset"));
        auto made = DestinationSet::create(setPath, {VehicleSign{QStringLiteral("front"), 40, 8, Layout},
                                                     VehicleSign{QStringLiteral("rear"), 28, 16, Layout}});
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        set = std::move(made).value();
        for (const char* code : {"12", "37", "61"}) {
            Destination d;
            d.code = d.route = QString::fromLatin1(code);
            d.destinationKa = QStringLiteral("ვაკე");
            ASSERT_TRUE(set->addDestination(d).ok());
        }
        const QString test = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        const QString server = GetParam().freshServer
                                   ? GetParam().freshServer(QStringLiteral("fleet_") + test.toLower().remove(QLatin1Char('/')))
                                   : QString();
        journal = SendJournal(dir.filePath(QStringLiteral("journal.sqlite")), server, QStringLiteral("depot-1"));
    }

    // A release whose image of each code is drawn from its seed (1 unless
    // given), so two releases differ exactly where their seeds do.
    int release(const char* when, std::map<QString, unsigned> seeds = {}, QDate validFrom = {})
    {
        SetVersion v;
        v.time = at(when);
        v.validFrom = validFrom;
        v.destinations = *set->destinations();
        const std::vector<VehicleSign> signs = *set->signs();
        for (const VehicleSign& s : signs)
            for (const Destination& d : v.destinations) {
                const unsigned seed = seeds.count(d.code) ? seeds[d.code] : 1;
                v.images.push_back({s.name, d.code, imageOf(s.name, d.code, seed)});
            }
        const Expected<int> n = set->addVersion(v);
        EXPECT_TRUE(n.ok()) << n.error().toStdString();
        releasedSeeds[n ? *n : 0] = seeds;
        return n ? *n : 0;
    }

    static ImageRecord imageOf(const QString& sign, const QString& code, unsigned seed)
    {
        const int w = sign == QLatin1String("front") ? 40 : 28;
        const int h = sign == QLatin1String("front") ? 8 : 16;
        return *ImageFile::parse(testing_support::randomImageText(1, w, h, seed * 1000 + qHash(code) % 997));
    }

    // A send of `codes` from release `version` to one sign of a bus.
    void send(const char* when, const QString& bus, const QString& sign, int version, const QStringList& codes,
              const QString& reply = QStringLiteral("OK"), const QString& station = QStringLiteral("depot-1"))
    {
        JournalEntry e;
        e.time = at(when);
        e.bus = bus;
        e.sign = sign;
        e.version = version;
        e.setId = set->setId();
        e.station = station;
        e.port = QStringLiteral("/dev/ttyUSB0");
        for (const QString& code : codes) {
            const unsigned seed = releasedSeeds[version].count(code) ? releasedSeeds[version][code] : 1;
            e.files << code + QStringLiteral(".img");
            e.sums << ReleaseTable::imageSum(QByteArray::fromStdString(imageOf(sign, code, seed).text()));
        }
        e.reply = reply;
        const Status recorded = journal.record(e);
        ASSERT_TRUE(recorded.ok()) << recorded.error().toStdString();
    }

    void buses(std::vector<Bus> list)
    {
        for (Bus& b : list)
            b.set = setPath;
        const Expected<BusImportReport> merged = BusList(journal).merge(list);
        ASSERT_TRUE(merged.ok()) << merged.error().toStdString();
    }

    static Bus bus(const char* number, const QStringList& codes, bool inService = true)
    {
        Bus b;
        b.number = QString::fromLatin1(number);
        b.depot = QStringLiteral("Gldani");
        b.codes = codes;
        b.inService = inService;
        return b;
    }

    // The state of one bus's sign as of `today`.
    FleetSignState state(const char* number, const char* sign, QDate today = QDate(2027, 1, 1))
    {
        const Expected<std::vector<FleetBusState>> all = FleetStatus::load(journal, today);
        EXPECT_TRUE(all.ok()) << all.error().toStdString();
        if (all)
            for (const FleetBusState& b : *all)
                if (b.bus.number == QLatin1String(number))
                    for (const FleetSignState& s : b.signs)
                        if (s.sign == QLatin1String(sign))
                            return s;
        ADD_FAILURE() << "no sign " << sign << " of bus " << number;
        return {};
    }

    QTemporaryDir dir;
    QString setPath;
    std::unique_ptr<DestinationSet> set;
    SendJournal journal{QString(), QString()};
    std::map<int, std::map<QString, unsigned>> releasedSeeds;
};

const QStringList Served{QStringLiteral("12"), QStringLiteral("37")};

TEST_P(FleetStatusCases, AFailedSendAfterAGoodOneLeavesWhatTheBusCarried)
{
    release("2026-05-01T08:00:00Z");
    release("2026-06-01T08:00:00Z", {{QStringLiteral("12"), 2}});
    buses({bus("1042", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 1, Served);
    send("2026-06-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 2, Served, QStringLiteral("CS"));
    send("2026-06-02T09:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 2, Served, QStringLiteral("no reply"));
    const FleetSignState front = state("1042", "front");
    EXPECT_EQ(front.carriedVersion, 1);
    EXPECT_EQ(front.latestVersion, 2);
    EXPECT_EQ(front.behind, QStringList{QStringLiteral("12")});
    EXPECT_EQ(front.since, at("2026-06-01T08:00:00Z"));
    EXPECT_EQ(front.lastSend, at("2026-05-02T08:00:00Z"));
}

TEST_P(FleetStatusCases, ANewerReleaseThatChangedAServedCodeLeavesTheBusBehind)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("1042", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 1, Served);
    EXPECT_FALSE(state("1042", "front").isBehind());
    release("2026-06-01T08:00:00Z", {{QStringLiteral("37"), 5}});
    const FleetSignState front = state("1042", "front");
    EXPECT_EQ(front.behind, QStringList{QStringLiteral("37")});
    EXPECT_EQ(front.since, at("2026-06-01T08:00:00Z"));
    // Sent the new one, it is up to date again.
    send("2026-06-03T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 2, Served);
    EXPECT_FALSE(state("1042", "front").isBehind());
    EXPECT_EQ(state("1042", "front").carriedVersion, 2);
}

TEST_P(FleetStatusCases, ANewerReleaseThatChangedOnlyOtherCodesDoesNot)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("1042", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 1, Served);
    send("2026-05-02T08:05:00Z", QStringLiteral("1042"), QStringLiteral("rear"), 1, Served);
    release("2026-06-01T08:00:00Z", {{QStringLiteral("61"), 7}});
    for (const char* sign : {"front", "rear"}) {
        const FleetSignState s = state("1042", sign);
        EXPECT_FALSE(s.isBehind()) << sign << ": " << s.behind.join(' ').toStdString();
        EXPECT_EQ(s.carriedVersion, 1);
        EXPECT_EQ(s.latestVersion, 2);
    }
}

// The count the Fleet window shows and `vexel fleet status` says: a bus is
// up to date when every sign has the latest images of what it serves,
// whichever release they came from.
TEST_P(FleetStatusCases, TheCountTakesABusThatDoesNotServeTheChangedCodeAsUpToDate)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("1", {QStringLiteral("12")}), bus("2", Served), bus("3", {QStringLiteral("*")}), bus("4", Served)});
    const QStringList all{QStringLiteral("12"), QStringLiteral("37"), QStringLiteral("61")};
    for (const char* sign : {"front", "rear"}) {
        send("2026-05-02T08:00:00Z", QStringLiteral("1"), QString::fromLatin1(sign), 1, {QStringLiteral("12")});
        send("2026-05-02T08:00:00Z", QStringLiteral("2"), QString::fromLatin1(sign), 1, Served);
        send("2026-05-02T08:00:00Z", QStringLiteral("3"), QString::fromLatin1(sign), 1, all);
    }
    send("2026-05-02T08:00:00Z", QStringLiteral("4"), QStringLiteral("front"), 1, Served);
    const auto count = [this] {
        const Expected<std::vector<FleetBusState>> fleet = FleetStatus::load(journal, QDate(2027, 1, 1));
        EXPECT_TRUE(fleet.ok()) << fleet.error().toStdString();
        return fleet ? FleetStatus::countText(*fleet) : QString();
    };
    EXPECT_EQ(count(), QStringLiteral("3 of 4 buses up to date on every sign")) << "4 was never sent its rear";

    release("2026-06-01T08:00:00Z", {{QStringLiteral("37"), 5}});
    EXPECT_EQ(state("1", "front").carriedVersion, 1);
    EXPECT_EQ(count(), QStringLiteral("1 of 4 buses up to date on every sign")) << "1 does not serve 37";

    for (const char* sign : {"front", "rear"})
        send("2026-06-02T08:00:00Z", QStringLiteral("2"), QString::fromLatin1(sign), 2, Served);
    EXPECT_EQ(count(), QStringLiteral("2 of 4 buses up to date on every sign"));
}

TEST_P(FleetStatusCases, AReleaseValidFromAFutureDayCountsFromThatDay)
{
    release("2026-05-01T08:00:00Z");
    release("2026-06-01T08:00:00Z", {{QStringLiteral("12"), 2}}, QDate(2027, 6, 1));
    buses({bus("1042", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 1, Served);
    const FleetSignState before = state("1042", "front", QDate(2027, 5, 31));
    EXPECT_EQ(before.latestVersion, 1);
    EXPECT_FALSE(before.isBehind());
    const FleetSignState on = state("1042", "front", QDate(2027, 6, 1));
    EXPECT_EQ(on.latestVersion, 2);
    EXPECT_EQ(on.behind, QStringList{QStringLiteral("12")});
    EXPECT_EQ(on.since, QDate(2027, 6, 1).startOfDay().toUTC());
}

TEST_P(FleetStatusCases, ABusNeverSentToIsBehindOnEveryCodeItServes)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("1042", Served), bus("1043", {QStringLiteral("*")})});
    for (const char* sign : {"front", "rear"}) {
        const FleetSignState s = state("1042", sign);
        EXPECT_EQ(s.behind, Served) << sign;
        EXPECT_EQ(s.carriedVersion, 0);
        EXPECT_EQ(s.since, at("2026-05-01T08:00:00Z"));
        EXPECT_FALSE(s.lastSend.isValid());
    }
    // "*" serves every destination of the latest release.
    EXPECT_EQ(state("1043", "front").behind,
              (QStringList{QStringLiteral("12"), QStringLiteral("37"), QStringLiteral("61")}));
}

TEST_P(FleetStatusCases, ABusOutOfServiceIsShownButSetApart)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("9", Served, false), bus("10", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("10"), QStringLiteral("front"), 1, Served);
    send("2026-05-02T08:00:00Z", QStringLiteral("10"), QStringLiteral("rear"), 1, Served);
    const Expected<std::vector<FleetBusState>> all = FleetStatus::load(journal, QDate(2027, 1, 1));
    ASSERT_TRUE(all.ok()) << all.error().toStdString();
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ(all->at(0).bus.number, QStringLiteral("9")) << "9 comes before 10";
    EXPECT_FALSE(all->at(0).bus.inService);
    EXPECT_TRUE(all->at(0).isBehind());
    EXPECT_FALSE(all->at(1).isBehind());
    FleetFilter behind;
    behind.behindOnly = true;
    const std::vector<FleetBusState> shown = FleetStatus::filtered(*all, behind);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].bus.number, QStringLiteral("9"));
}

TEST_P(FleetStatusCases, TwoStationsSendingToOneBusTheLaterCounts)
{
    release("2026-05-01T08:00:00Z");
    release("2026-06-01T08:00:00Z", {{QStringLiteral("12"), 2}});
    buses({bus("1042", Served)});
    send("2026-06-02T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 2, Served, QStringLiteral("OK"),
         QStringLiteral("depot-2"));
    // The other station's older release, sent later, is what the sign shows.
    send("2026-06-03T08:00:00Z", QStringLiteral("1042"), QStringLiteral("front"), 1, Served, QStringLiteral("OK"),
         QStringLiteral("depot-3"));
    send("2026-06-04T08:00:00Z", QStringLiteral("1042"), QStringLiteral("rear"), 2, Served, QStringLiteral("OK"),
         QStringLiteral("depot-2"));
    const FleetSignState front = state("1042", "front");
    EXPECT_EQ(front.lastStation, QStringLiteral("depot-3"));
    EXPECT_EQ(front.carriedVersion, 1);
    EXPECT_EQ(front.behind, QStringList{QStringLiteral("12")});
    EXPECT_EQ(front.since, at("2026-06-03T08:00:00Z")) << "behind since the older images went on";
    const FleetSignState rear = state("1042", "rear");
    EXPECT_EQ(rear.lastStation, QStringLiteral("depot-2"));
    EXPECT_FALSE(rear.isBehind());
}

TEST_P(FleetStatusCases, ABusOnlyTheJournalKnowsIsShownAsNotInTheList)
{
    release("2026-05-01T08:00:00Z");
    buses({bus("1042", Served)});
    send("2026-05-02T08:00:00Z", QStringLiteral("77"), QStringLiteral("front"), 1, Served);
    const Expected<std::vector<FleetBusState>> all = FleetStatus::load(journal, QDate(2027, 1, 1));
    ASSERT_TRUE(all.ok()) << all.error().toStdString();
    ASSERT_EQ(all->size(), 2u);
    const FleetBusState& stranger = all->at(0); // 77 before 1042
    EXPECT_EQ(stranger.bus.number, QStringLiteral("77"));
    EXPECT_FALSE(stranger.listed);
    ASSERT_EQ(stranger.signs.size(), 1u);
    EXPECT_EQ(stranger.signs[0].carriedVersion, 1);
}

} // namespace fleet_cases
