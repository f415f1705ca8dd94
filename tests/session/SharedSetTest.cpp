// One opening of a set shared by the program's windows: the Destinations
// window's session, Versions and the GTFS import work on it together, the
// set closing only when the last lets it go, while another program is kept
// out as before.
#include "feeds/GtfsTestFeed.h"
#include "sets/OpenSets.h"
#include "sets/SignProfile.h"
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

namespace {

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

} // namespace
