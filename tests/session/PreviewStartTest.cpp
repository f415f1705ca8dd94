// Starting the preview: it plays the image as stored on disk from its first
// frame with a fresh history, or does not start and leaves the image as it was.
#include "SessionFixture.h"

#include "editor/EditHistory.h"

#include <QFile>

using session_testing::SessionTest;

namespace {

struct StartCase {
    const char* name;
    bool onDisk;
};

class PreviewStart : public SessionTest, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(PreviewStart, PlaysTheStoredImageOrChangesNothing)
{
    const StartCase& c = GetParam();
    started();
    testing_support::writeAll(folder + "route.img", testing_support::randomImageText(2, 96, 24, 3));
    ASSERT_TRUE(session.open(folder, "route.img", 1));
    const int duration = doc().current().duration;
    session.editor().fillBoard(true);
    ASSERT_TRUE(session.editor().history().canUndo());
    if (!c.onDisk)
        QFile::remove(folder + "route.img");

    std::vector<int> played;
    const vexel::EditorSession::PreviewStart start = session.startPreview([&](int ms) { played.push_back(ms); });
    EXPECT_EQ(start.started, c.onDisk);
    EXPECT_EQ(start.error.isEmpty(), c.onDisk) << start.error.toStdString();
    if (c.onDisk) {
        EXPECT_EQ(played, std::vector<int>{duration}) << "the frame on screen when Run was clicked sets the first pause";
        EXPECT_EQ(doc().currentFrame(), 0);
        EXPECT_FALSE(session.editor().history().canUndo());
    } else {
        EXPECT_TRUE(played.empty());
        EXPECT_EQ(doc().currentFrame(), 1);
        EXPECT_TRUE(session.editor().history().canUndo());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewStart,
                         ::testing::Values(StartCase{"Stored", true}, StartCase{"FileGone", false}),
                         [](const auto& row) { return std::string(row.param.name); });
