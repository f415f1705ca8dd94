// Choosing a frame of the image: it is read from the file, and a file that
// can no longer be read leaves the frame on screen the current one.
#include "SessionFixture.h"

#include "document/ImageFile.h"

#include <QFile>

using session_testing::SessionTest;

namespace {

struct ShowCase {
    const char* name;
    bool fileGone;
    int expectedFrame; // after asking for frame 2
};

class ShowFrame : public SessionTest, public ::testing::WithParamInterface<ShowCase> {};

} // namespace

TEST_P(ShowFrame, TheChosenFrameOrTheOneOnScreen)
{
    const ShowCase& c = GetParam();
    started();
    testing_support::writeAll(folder + "route.img", testing_support::randomImageText(3, 96, 24, 7));
    doc().setFileName("route.img");
    ASSERT_TRUE(session.loadFile());
    ASSERT_EQ(doc().frameCount(), 3);
    const std::string firstFrame = doc().record().text();
    int shown = 0;
    QObject::connect(&session, &vexel::EditorSession::imageShown, [&] { ++shown; });
    if (c.fileGone)
        QFile::remove(folder + "route.img");

    const vexel::Status status = session.showFrame(2);
    EXPECT_EQ(static_cast<bool>(status), !c.fileGone);
    EXPECT_EQ(doc().currentFrame(), c.expectedFrame) << "a later store writes the LEDs on screen into this frame";
    EXPECT_EQ(shown, c.fileGone ? 0 : 1);
    if (c.fileGone) {
        EXPECT_EQ(doc().record().text(), firstFrame);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowFrame,
                         ::testing::Values(ShowCase{"Readable", false, 2}, ShowCase{"FileGone", true, 0}),
                         [](const auto& row) { return std::string(row.param.name); });
