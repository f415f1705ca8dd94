// The send panel's lists as the layer keeps them: the scan of the data
// folder, moves between the lists with their reselection, order, and the
// stamps the check before Send compares with.
#include "SessionFixture.h"

#include <QFile>
#include <QTest>

using session_testing::SessionTest;
using testing_support::writeAll;

namespace {

class SendListModelTest : public SessionTest {
protected:
    vexel::SendListModel& list() { return session.sendList(); }
};

} // namespace

TEST_F(SendListModelTest, AScanSplitsTheFolderAndDropsGoneEntries)
{
    files({"a.img", "b.img", "c.img", "Untitled3.img", "untitled7.img"});
    writeAll(folder + "notes.txt", "x");
    list().setEntries({"c.img", "gone.img", "a.img"});
    session.listFiles();
    EXPECT_EQ(list().entries(), QStringList({"c.img", "a.img"}));
    EXPECT_EQ(list().files(), QStringList({"Untitled3.img", "b.img", "untitled7.img"}));
    EXPECT_EQ(doc().untitledNumber(), 2) << "only the exact prefix counts";

    QFile::remove(folder + "a.img");
    QFile::remove(folder + "c.img");
    session.addToSendList({1}); // b.img goes over; the gone entries leave
    EXPECT_EQ(list().entries(), QStringList({"b.img"}));
    EXPECT_EQ(list().files(), QStringList({"Untitled3.img", "untitled7.img"}));
}

struct MoveCase {
    const char* name;
    bool toSendList;      // ">>" or "<<"
    QList<int> chosen;    // in the list the move takes from
    QStringList fileList; // afterwards
    QStringList sendList; // afterwards
    int reselected;       // in the list the move took from
};

class SendListMoves : public SendListModelTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(SendListMoves, MoveAndReselect)
{
    const MoveCase& c = GetParam();
    files({"a.img", "b.img", "c.img", "x.img", "y.img", "z.img"});
    list().setEntries({"x.img", "y.img", "z.img"});
    session.listFiles();
    ASSERT_EQ(list().files(), QStringList({"a.img", "b.img", "c.img"}));
    int reselect = -2;
    if (c.toSendList)
        session.addToSendList(c.chosen, &reselect);
    else
        session.removeFromSendList(c.chosen, &reselect);
    EXPECT_EQ(list().files(), c.fileList);
    EXPECT_EQ(list().entries(), c.sendList);
    EXPECT_EQ(reselect, c.reselected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendListMoves,
    ::testing::Values(
        MoveCase{"RightWithNothingChosenTakesTheFirst", true, {}, {"b.img", "c.img"},
                 {"x.img", "y.img", "z.img", "a.img"}, 0},
        MoveCase{"RightFromTheEndSelectsTheNewLast", true, {2}, {"a.img", "b.img"},
                 {"x.img", "y.img", "z.img", "c.img"}, 1},
        MoveCase{"RightSeveralInListOrder", true, {2, 0}, {"b.img"}, {"x.img", "y.img", "z.img", "a.img", "c.img"}, 0},
        MoveCase{"RightOutsideTheListMovesNothing", true, {7}, {"a.img", "b.img", "c.img"},
                 {"x.img", "y.img", "z.img"}, 2},
        MoveCase{"LeftWithNothingChosenTakesTheLast", false, {}, {"a.img", "b.img", "c.img", "z.img"},
                 {"x.img", "y.img"}, 1},
        MoveCase{"LeftFromTheMiddleSelectsTheNext", false, {1}, {"a.img", "b.img", "c.img", "y.img"},
                 {"x.img", "z.img"}, 1},
        MoveCase{"LeftEverythingLeavesNothingToSelect", false, {0, 1, 2},
                 {"a.img", "b.img", "c.img", "x.img", "y.img", "z.img"}, {}, -1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SendListModelTest, OrderChangesOnlyWithinTheList)
{
    list().setEntries({"a.img", "b.img", "c.img"});
    EXPECT_TRUE(list().move(2, 0));
    EXPECT_EQ(list().entries(), QStringList({"c.img", "a.img", "b.img"}));
    EXPECT_FALSE(list().move(0, 3));
    EXPECT_FALSE(list().move(-1, 0));
    EXPECT_EQ(list().entries(), QStringList({"c.img", "a.img", "b.img"}));
}

// A stamp is taken when a file joins the list and when the editor writes
// it; a change by another program is what the check before Send finds.
TEST_F(SendListModelTest, StampsComeFromListingAndFromTheEditorsOwnWrites)
{
    for (const char* name : {"a.img", "b.img"})
        writeAll(folder + name, testing_support::randomImageText(1, 96, 24));
    started();
    session.listFiles();
    session.addToSendList({0});
    ASSERT_EQ(list().stamps().count("a.img"), 1u);
    EXPECT_EQ(list().stamps().count("b.img"), 0u) << "a file off the list has no stamp";
    for (const vexel::Finding& f : session.preflight())
        ADD_FAILURE() << f.line().toStdString();

    // The editor writes a.img: its new state is what the list expects.
    ASSERT_TRUE(session.open(folder, "a.img", 0));
    QTest::qWait(20);
    session.editor().fillBoard(true);
    ASSERT_TRUE(session.save());
    for (const vexel::Finding& f : session.preflight())
        ADD_FAILURE() << f.line().toStdString();

    QTest::qWait(20);
    writeAll(folder + "a.img", testing_support::blankImageText(96, 24, 900)); // another program
    const std::vector<vexel::Finding> findings = session.preflight();
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, vexel::Finding::Kind::ChangedOnDisk);
    EXPECT_EQ(findings[0].file, "a.img");
}

TEST_F(SendListModelTest, TheCheckBeforeSendSeesTheOpenImageAndTheMissingCharacters)
{
    files({"a.img", "b.img"});
    started();
    list().setEntries({"a.img", "b.img"});
    session.listFiles();
    list().stampAll();
    ASSERT_TRUE(session.open(folder, "a.img", 0));
    // Both files are dark; the open one is lit in the editor and goes out
    // as the editor holds it.
    session.editor().fillBoard(true);
    list().addMissing(folder + "b.img", QStringLiteral("Ω"));
    list().addMissing(folder + "b.img", QString());
    std::vector<vexel::Finding::Kind> kinds;
    for (const vexel::Finding& f : session.preflight()) {
        EXPECT_EQ(f.file, "b.img") << f.line().toStdString();
        kinds.push_back(f.kind);
    }
    EXPECT_EQ(kinds, (std::vector<vexel::Finding::Kind>{vexel::Finding::Kind::MissingCharacters,
                                                         vexel::Finding::Kind::NoLitLed}));
}

TEST_F(SendListModelTest, DataLengthIsReadFromTheFilesAndNothingWhenOneCannotTravel)
{
    files({"route.img", "other.img"});
    list().setEntries({"route.img"});
    session.listFiles();
    EXPECT_EQ(list().dataLength(), 304);
    session.addToSendList({0});
    EXPECT_EQ(list().dataLength(), 608);
    writeAll(folder + "other.img", "0001\r\nXYZ\r\n");
    EXPECT_EQ(list().dataLength(), std::nullopt);
}

// The Destinations window sends exactly the files it names: what was on
// the send list before goes, and a file not in the data folder is left out.
TEST_F(SendListModelTest, ListingOnlyGivenFilesReplacesTheSendList)
{
    files({"a.img", "b.img", "c.img"});
    list().setEntries({"c.img"});
    session.listOnly({folder + "b.img", folder + "gone.img", folder + "a.img"});
    EXPECT_EQ(list().entries(), QStringList({"a.img", "b.img"}));
    EXPECT_EQ(list().files(), QStringList({"c.img"}));
}
