// A server that goes away in the middle of work: an apply or a release cut
// at its step inside the transaction, the cluster then stopped as a crash
// would stop it, leaves the set as it was; journal entries made while it
// is down reach it exactly once when it is back; a Versions window open
// all along connects again. The binary has this one
// test, since it stops the cluster its fixture started.
#include "sets/DestinationSet.h"
#include "store/HeldConnection.h"
#include "sets/SetOnEngines.h"
#include "lettering/FontList.h"
#include "fleet/JournalServer.h"
#include "fleet/SendJournal.h"
#include "fleet/ReleaseNote.h"
#include "fleet/SetRelease.h"
#include "session/VersionsSession.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

Destination place(const QString& code, const QString& name)
{
    Destination d;
    d.code = d.route = code;
    d.destinationKa = QStringLiteral("ვაკე");
    d.destinationEn = name;
    return d;
}

// The cluster stopped at once, as a crash or a pulled cable would, or
// started again on the same data.
bool cluster(const char* command)
{
    const QString script = QStringLiteral(VEXEL_TEST_DATA "/../support/pg-cluster.sh");
    QProcess p;
    p.start(QStringLiteral("sh"), {script, QLatin1String(command), qEnvironmentVariable("VEXEL_TEST_PGHOST")});
    return p.waitForFinished(120000) && p.exitCode() == 0;
}

struct SetState {
    std::vector<std::pair<QString, QString>> destinations; // code, Latin name
    int versions = 0;
    bool operator==(const SetState& o) const { return destinations == o.destinations && versions == o.versions; }
};

SetState stateOf(const QString& address)
{
    SetState s;
    auto set = DestinationSet::open(address, DestinationSet::Access::Read);
    EXPECT_TRUE(set.ok()) << set.error().toStdString();
    if (!set)
        return s;
    const Expected<std::vector<Destination>> read = set.value()->destinations();
    const Expected<std::vector<SetVersion>> versions = set.value()->versions();
    EXPECT_TRUE(read.ok() && versions.ok());
    if (!read || !versions)
        return s;
    for (const Destination& d : *read)
        s.destinations.emplace_back(d.code, d.destinationEn);
    s.versions = static_cast<int>(versions->size());
    return s;
}

// Stops the server when the named step is reached, inside its transaction.
void haltAt(const QString& wanted)
{
    DestinationSet::setStepHook([wanted](const QString& step) {
        if (step == wanted) {
            EXPECT_TRUE(cluster("halt")) << "the cluster did not stop";
        }
        return Status::success();
    });
}

JournalEntry sent(int n)
{
    JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.bus = QStringLiteral("1042");
    e.sign = QStringLiteral("front");
    e.files = {QStringLiteral("%1.img").arg(n)};
    e.reply = QStringLiteral("OK");
    return e;
}

} // namespace

TEST(ServerFault, WorkCutShortByALostServerLeavesTheSetAsItWasAndTheJournalWhole)
{
    ASSERT_FALSE(qEnvironmentVariable("VEXEL_TEST_PGHOST").isEmpty()) << "the suite's cluster is not there";
    const QString address = set_test::serverAddress(set_test::freshSetName());
    {
        auto made = DestinationSet::create(address, {VehicleSign{QStringLiteral("front"), 160, 19, Layout}});
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        ASSERT_TRUE(made.value()->merge({place("12", "Vake"), place("37", "Didube")}).ok());
    }
    FontList fonts(FontList::installedPlaces());
    QTemporaryDir out;
    {
        auto set = DestinationSet::open(address, DestinationSet::Access::Edit);
        ASSERT_TRUE(set.ok()) << set.error().toStdString();
        ASSERT_TRUE(SetRelease::release(*set.value(), fonts, out.filePath("first"), {}).ok());
    }
    const SetState before = stateOf(address);
    ASSERT_EQ(before.versions, 1);
    // Open in a Versions window across the outages below.
    auto versions = VersionsSession::open(address);
    ASSERT_TRUE(versions.ok()) << versions.error().toStdString();

    struct Cut {
        const char* step;
        std::function<Status(DestinationSet&)> work;
    };
    const Cut cuts[] = {
        {"apply",
         [](DestinationSet& set) {
             return set.apply({place("12", "Vake Park"), place("61", "Gldani")}, {QStringLiteral("37")}, {}).status();
         }},
        {"release",
         [&](DestinationSet& set) {
             return SetRelease::release(set, fonts, out.filePath("second"), {}).status();
         }},
    };
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.step);
        auto set = DestinationSet::open(address, DestinationSet::Access::Edit);
        ASSERT_TRUE(set.ok()) << set.error().toStdString();
        haltAt(QLatin1String(cut.step));
        const Status done = cut.work(*set.value());
        DestinationSet::setStepHook({});
        ASSERT_TRUE(cluster("resume"));
        ASSERT_FALSE(done.ok()) << "a change the server never committed was reported as made";
        // The operator is told the server went away, without its password.
        EXPECT_NE(done.error().toStdString().find("server"), std::string::npos) << done.error().toStdString();
        EXPECT_EQ(done.error().toStdString().find("n0t-shown"), std::string::npos) << done.error().toStdString();
        EXPECT_EQ(stateOf(address), before);
    }
    // The Versions window's next action connects again.
    const Expected<std::vector<SetVersion>> listed = versions.value()->versions();
    ASSERT_TRUE(listed.ok()) << listed.error().toStdString();
    EXPECT_EQ(listed->size(), 1u);

    // The release's images were written before the set could keep it;
    // without the set's version it names no release.
    EXPECT_FALSE(QFileInfo::exists(ReleaseNote::pathIn(out.filePath("second"))));

    // Journal entries while the server is down wait locally, and go up
    // once each when it is back, with the next send.
    const QString journalAddress =
        QStringLiteral("postgresql://postgres@/postgres?host=%1").arg(qEnvironmentVariable("VEXEL_TEST_PGHOST"));
    ASSERT_TRUE(JournalServer::at(journalAddress)->init().ok());
    const SendJournal journal(out.filePath("journal.sqlite"), journalAddress, QStringLiteral("depot-3"));
    bool uploaded = false;
    ASSERT_TRUE(journal.record(sent(1), &uploaded).ok());
    EXPECT_TRUE(uploaded);
    ASSERT_TRUE(cluster("halt"));
    for (int n = 2; n <= 3; ++n) {
        ASSERT_TRUE(journal.record(sent(n), &uploaded).ok());
        EXPECT_FALSE(uploaded);
    }
    ASSERT_TRUE(cluster("resume"));
    ASSERT_TRUE(journal.record(sent(4), &uploaded).ok());
    EXPECT_TRUE(uploaded);
    EXPECT_EQ(*journal.upload(), 0);
    const Expected<std::vector<JournalEntry>> all = JournalServer::at(journalAddress)->entries({});
    ASSERT_TRUE(all.ok()) << all.error().toStdString();
    QStringList files;
    for (const JournalEntry& e : *all)
        files << e.files;
    files.sort();
    EXPECT_EQ(files, QStringList({"1.img", "2.img", "3.img", "4.img"}));
    HeldConnection::closeKept();
}
