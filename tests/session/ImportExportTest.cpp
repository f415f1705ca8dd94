// Import and export as use cases of the layer, without a window: each
// export format by name, the send list's files or the open image, a file
// that cannot be read, a stopped export; imported LEDs and frames as one step.
#include "SessionFixture.h"

#include "preview/Export.h"
#include "preview/ExportFormat.h"

#include <QFile>

using session_testing::SessionTest;
using testing_support::blankImageText;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

class SessionExport : public SessionTest {
protected:
    void SetUp() override
    {
        files({"a.img", "b.img"});
        started();
        ASSERT_TRUE(session.open(folder, "a.img", 0));
    }
    const vexel::ExportFormat& format(const char* name) { return *vexel::ExportFormat::find(QLatin1String(name)); }
};

TEST_F(SessionExport, EachFormatWritesItsFileFromTheImageOrTheSendList)
{
    struct Case {
        const char* format;
        bool sendList;
        QByteArray magic;
    };
    const Case cases[] = {{"png", false, "\x89PNG"}, {"pixel-png", false, "\x89PNG"}, {"gif", false, "GIF89a"},
                          {"gif", true, "GIF89a"}, {"sheet", true, "\x89PNG"}};
    session.sendList().setEntries({"a.img", "b.img"});
    int n = 0;
    for (const Case& c : cases) {
        const QString out = folder + QStringLiteral("out%1").arg(n++);
        const vexel::Status done = session.exportAs(format(c.format), c.sendList, out);
        ASSERT_TRUE(done) << c.format << ": " << done.error().toStdString();
        EXPECT_TRUE(readAll(out).startsWith(c.magic)) << c.format;
    }
}

TEST_F(SessionExport, AnUnreadableListedFileIsNamedAndNothingIsWritten)
{
    writeAll(folder + "bad.img", "0001\r\nZZ\r\n");
    session.sendList().setEntries({"a.img", "bad.img"});
    bool ran = false;
    const vexel::Status done =
        session.exportAs(format("gif"), true, folder + "list.gif", {}, [&](bool on) { ran = ran || on; });
    ASSERT_FALSE(done);
    EXPECT_NE(done.error().toStdString().find("bad.img"), std::string::npos) << done.error().toStdString();
    EXPECT_FALSE(ran) << "nothing starts before every file is read";
    EXPECT_FALSE(QFile::exists(folder + "list.gif"));
}

TEST_F(SessionExport, AStoppedExportIsCancelledNotFailedAndTellsItsEnd)
{
    std::vector<bool> running;
    const vexel::Status done = session.exportAs(
        format("gif"), false, folder + "a.gif", [](int, int) { return false; }, [&](bool on) { running.push_back(on); });
    EXPECT_TRUE(vexel::Export::cancelled(done)) << done.error().toStdString();
    EXPECT_EQ(running, (std::vector<bool>{true, false}));
}

class SessionImport : public SessionTest {};

TEST_F(SessionImport, PlacedLedsAndAddedFramesAreOneStepEach)
{
    files({"a.img"});
    started();
    ASSERT_TRUE(session.open(folder, "a.img", 0));
    vexel::BoardEditor& editor = session.editor();
    editor.document().bits().setLit(5, 5, true); // inside the target, cleared by the import
    vexel::LedBitmap leds(4, 2);
    leds.set(0, 0, true);
    leds.set(3, 1, true);
    session.placeImport(vexel::FrameRect{4, 4, 4, 2}, leds);
    EXPECT_TRUE(editor.canvas().lit(4, 4));
    EXPECT_TRUE(editor.canvas().lit(7, 5));
    EXPECT_FALSE(editor.canvas().lit(5, 5));
    EXPECT_EQ(editor.history().undoText(), "Undo import");
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(editor.canvas().lit(4, 4));

    const int before = doc().frameCount();
    const std::vector<vexel::LedBitmap> frames(3, leds);
    EXPECT_EQ(session.importFrames(vexel::FrameRect{0, 0, 4, 2}, frames, {100, 200, 300}), 3);
    EXPECT_EQ(doc().frameCount(), before + 3);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(doc().frameCount(), before) << "the frames go back as one step";
}

} // namespace

namespace {

struct TargetCase {
    const char* name;
    vexel::LedRect drawn; // as the selection holds it
    bool shown;
    std::optional<vexel::FrameRect> target;
};

class SelectionTargets : public SessionTest, public ::testing::WithParamInterface<TargetCase> {};

// The Text and Import panels letter into the selection only while it is
// shown, and never past the board, which may have shrunk since it was drawn.
TEST_P(SelectionTargets, AreTheShownSelectionCutToTheBoard)
{
    const TargetCase& c = GetParam();
    session.settings().setBoardWidth(96);
    session.settings().setBoardHeight(24);
    session.editor().selection().set(c.drawn);
    session.editor().selection().setShown(c.shown);
    const std::optional<vexel::FrameRect> target = session.selectionTarget();
    ASSERT_EQ(target.has_value(), c.target.has_value());
    if (target) {
        EXPECT_EQ(target->x, c.target->x);
        EXPECT_EQ(target->y, c.target->y);
        EXPECT_EQ(target->w, c.target->w);
        EXPECT_EQ(target->h, c.target->h);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Session, SelectionTargets,
    ::testing::Values(TargetCase{"Inside", {8, 2, 40, 20}, true, vexel::FrameRect{8, 2, 32, 18}},
                      TargetCase{"Hidden", {8, 2, 40, 20}, false, std::nullopt},
                      TargetCase{"PastTheBoard", {80, 10, 120, 30}, true, vexel::FrameRect{80, 10, 16, 14}}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
