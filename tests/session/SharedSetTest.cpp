// One opening of a set shared by the program's windows: the Destinations
// window's session, Versions and the GTFS import work on it together, the
// set closing only when the last lets it go, while another program is kept
// out as before. And a re-import that keeps the operator's fixes.
#include "depot/GtfsTestFeed.h"
#include "depot/OpenSets.h"
#include "depot/SignProfile.h"
#include "lettering/FontList.h"
#include "session/DestinationsSession.h"
#include "session/GtfsImportSession.h"
#include "session/VersionsSession.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace vexel;
using Kind = GtfsImportSession::Kind;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// Another process trying to edit the set: 0 when it is refused because an
// editor has it, 1 when it got it, 2 when refused for another reason.
int anotherProgramEdits(const QString& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const auto opened = DestinationSet::open(path, DestinationSet::Access::Edit);
        ::_exit(opened ? 1 : opened.error().contains(QStringLiteral("it is open for editing")) ? 0 : 2);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// A feed said to be in English whose headsigns are in capitals, one of them
// Georgian.
gtfs_test::Files englishFeed(const char* didube)
{
    gtfs_test::Files f;
    f["feed_info.txt"] = "feed_publisher_name,feed_lang,feed_version\nCity,en,2026-12\n";
    f["routes.txt"] = "route_id,route_short_name,route_type\nr12,12,3\nr37,37,3\n";
    f["trips.txt"] = QByteArray("route_id,trip_id,trip_headsign,direction_id\nr12,t1,აეროპორტი,0\nr37,t2,") + didube +
                     ",0\n";
    return f;
}

class SharedSetTest : public ::testing::Test {
protected:
    SharedSetTest() : path(dir.filePath(QStringLiteral("fleet.vxset")))
    {
        const auto signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs.ok()) << signs.error().toStdString();
        EXPECT_TRUE(DestinationSet::create(path, *signs).ok());
    }

    // The feed read, the rows compared with the set as the window does.
    void readFeed(GtfsImportSession& session, DestinationSet& set, const char* didube)
    {
        const QString feed = dir.filePath(QStringLiteral("feed-%1").arg(++feeds));
        ASSERT_TRUE(gtfs_test::writeFolder(feed, englishFeed(didube)));
        GtfsOptions options;
        options.letterCase = LetterCase::Keep;
        const Status read = session.read(set, feed, options);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
    }

    QTemporaryDir dir;
    QString path;
    FontList fonts{FontList::Places{{QStringLiteral(VEXEL_FONTS_DIR)}, {}, false}};
    int feeds = 0;
};

TEST_F(SharedSetTest, TheProgramsWindowsShareOneOpeningAndAnotherProgramIsKeptOut)
{
    auto destinations = DestinationsSession::open(path, fonts);
    ASSERT_TRUE(destinations.ok()) << destinations.error().toStdString();
    auto versions = VersionsSession::open(path);
    ASSERT_TRUE(versions.ok()) << versions.error().toStdString();
    // The GTFS window's opening, through another spelling of the same file.
    auto import = OpenSets::open(dir.path() + QStringLiteral("/./fleet.vxset"), DestinationSet::Access::EditOrRead);
    ASSERT_TRUE(import.ok()) << import.error().toStdString();
    EXPECT_EQ(&versions.value()->set(), &destinations.value()->set());
    EXPECT_EQ(import.value().get(), &destinations.value()->set());
    EXPECT_FALSE(import.value()->readOnly());
    EXPECT_EQ(anotherProgramEdits(path), 0);

    // An import applied in one window reaches the other's rows.
    GtfsImportSession session;
    readFeed(session, *import.value(), "DIDUBE");
    ASSERT_TRUE(session.apply(*import.value()).ok());
    EXPECT_TRUE(destinations.value()->destinations().empty());
    ASSERT_TRUE(destinations.value()->catchUp().ok());
    EXPECT_EQ(destinations.value()->destinations().size(), 2u);

    // The Destinations window closes: the others go on, the lock stays.
    destinations.value().reset();
    EXPECT_TRUE(versions.value()->versions().ok());
    readFeed(session, *import.value(), "DIDUBE CENTRAL");
    ASSERT_EQ(session.rows().size(), 1u);
    ASSERT_TRUE(session.apply(*import.value()).ok());
    EXPECT_EQ(anotherProgramEdits(path), 0);

    // The last lets it go: the set is closed, and another program may edit it.
    versions.value().reset();
    import.value().reset();
    EXPECT_FALSE(QFile::exists(DestinationSet::lockPath(path)));
    EXPECT_EQ(anotherProgramEdits(path), 1);
}

// The operator's fixes after an import stay through the next one; a text
// the feed changed too waits, unticked, for its own tick.
TEST_F(SharedSetTest, AReimportKeepsHandFixesAndHoldsWhatBothChanged)
{
    auto opened = OpenSets::open(path, DestinationSet::Access::Edit);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    DestinationSet& set = *opened.value();
    GtfsImportSession session;
    readFeed(session, set, "DIDUBE");
    ASSERT_EQ(session.rows().size(), 2u);
    // The Georgian headsign went to the Georgian column, said so.
    const GtfsImportSession::Row& airport = session.rows()[0];
    EXPECT_EQ(airport.after.destinationKa, u("აეროპორტი"));
    EXPECT_EQ(airport.notes.at(QStringLiteral("destination_ka")),
              QStringLiteral("Georgian text for destination_en; the feed's language is en"));
    ASSERT_TRUE(session.apply(set).ok());

    Destination fixed = set.destinations()->at(1);
    fixed.destinationEn = QStringLiteral("Didube Station");
    ASSERT_TRUE(set.updateDestination(fixed.code, fixed).ok());
    readFeed(session, set, "DIDUBE");
    EXPECT_TRUE(session.rows().empty());

    readFeed(session, set, "DIDUBE CENTRAL");
    ASSERT_EQ(session.rows().size(), 1u);
    const GtfsImportSession::Row& row = session.rows()[0];
    EXPECT_EQ(row.kind, Kind::Changed);
    ASSERT_EQ(row.texts.size(), 1u);
    EXPECT_TRUE(row.texts[0].held);
    EXPECT_TRUE(row.texts[0].note.startsWith(QStringLiteral("changed by hand since the import of ")));
    EXPECT_FALSE(row.hasOwnTick());
    EXPECT_EQ(session.tickedCount(), 0);
    ASSERT_TRUE(session.apply(set).ok());
    EXPECT_EQ(set.destinations()->at(1).destinationEn, QStringLiteral("Didube Station"));

    ASSERT_EQ(session.rows().size(), 1u);
    session.setHeldTaken(0, QStringLiteral("destination_en"), true);
    EXPECT_EQ(session.tickedCount(), 1);
    ASSERT_TRUE(session.apply(set).ok());
    EXPECT_EQ(set.destinations()->at(1).destinationEn, QStringLiteral("DIDUBE CENTRAL"));
    EXPECT_TRUE(session.rows().empty());
}

} // namespace
