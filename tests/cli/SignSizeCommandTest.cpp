// The size of a sign on the command line: an image made by hand of another
// size than its sign in `set status` and `set release`, `set override
// remove` taking it back to lettering, and the board `render` draws on.
#include "sets/DestinationSet.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using cli_testing::runVexel;
using testing_support::blankImageText;
using testing_support::writeAll;

namespace {

class SignSizeCommandTest : public ::testing::Test {
protected:
    SignSizeCommandTest() : folder(testing_support::folderOf(dir)), set(folder + "fleet.vxset") {}

    QTemporaryDir dir;
    QString folder;
    QString set;
};

// Width x height of the picture `render --pixel-png` draws, one pixel an LED.
QSize renderedBoard(const QStringList& args, QString* err = nullptr)
{
    const auto run = runVexel(QStringList{"render"} + args);
    if (err)
        *err = run.err;
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    return QImage(args.at(args.indexOf("--pixel-png") + 1)).size();
}

} // namespace

TEST_F(SignSizeCommandTest, AnImageMadeByHandOfAnotherSizeDoesNotFitUntilItIsRemoved)
{
    ASSERT_EQ(runVexel({"set", "new", set, QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
    ASSERT_EQ(runVexel({"set", "import", set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv")}).exit, 0);
    {
        auto editor = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(editor.ok()) << editor.error().toStdString();
        vexel::SignOverride cut{QStringLiteral("61"), QStringLiteral("front"),
                                *vexel::ImageFile::parse(blankImageText(96, 19)), editor.value()->destinations()->at(2)};
        ASSERT_TRUE(editor.value()->storeOverride(cut)); // made on the editor's 96-column board
    }
    const auto status = runVexel({"set", "status", set});
    EXPECT_EQ(status.exit, 1);
    EXPECT_TRUE(status.out.contains("61 front: by hand, does not fit: the image is 96 x 19, the sign 160 x 19\n"))
        << status.out.toStdString();
    const auto release = runVexel({"set", "release", set, "--out", folder + "out"});
    EXPECT_EQ(release.exit, 1);
    EXPECT_TRUE(release.err.contains("Does not fit: 61 on front: by hand, does not fit")) << release.err.toStdString();

    EXPECT_EQ(runVexel({"set", "override", "remove", set, "61", "front"}).exit, 0);
    EXPECT_EQ(runVexel({"set", "status", set}).exit, 0);
    const auto history = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Read).value()->history("61");
    ASSERT_TRUE(history.ok() && !history->empty());
    EXPECT_EQ(history->at(0).what, QStringLiteral("image on front removed"));
    // Nothing to remove is refused, and leaves no line in the history.
    const auto again = runVexel({"set", "override", "remove", set, "61", "front"});
    EXPECT_EQ(again.exit, 1);
    EXPECT_TRUE(again.err.contains("61 has no image made by hand for the sign front")) << again.err.toStdString();
    EXPECT_EQ(runVexel({"set", "override", "drop", set, "61", "front"}).exit, 2);
}

TEST_F(SignSizeCommandTest, RenderDrawsOnTheBoardOfTheSignOrOfTheFramesAndSaysWhatItCuts)
{
    writeAll(folder + "front.img", blankImageText(160, 19));
    QString err;
    EXPECT_EQ(renderedBoard({folder + "front.img", "--pixel-png", folder + "a.png"}, &err), QSize(160, 19));
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_EQ(renderedBoard({folder + "front.img", "--size", "96x24", "--pixel-png", folder + "b.png"}, &err),
              QSize(96, 24));
    EXPECT_TRUE(err.contains(folder + "front.img: frame 0 reaches beyond the 96 x 24 board, drawn cut"))
        << err.toStdString();

    // In a release, the sign's size as release.txt names it, whatever the frames reach.
    QDir().mkpath(folder + "release/front");
    writeAll(folder + "release/release.txt", "Vexel Image release\nsigns: front 160x19, rear 28x16\n");
    writeAll(folder + "release/front/61.img", blankImageText(96, 19));
    EXPECT_EQ(renderedBoard({folder + "release/front/61.img", "--pixel-png", folder + "c.png"}), QSize(160, 19));

    // Files of different boards: the widest and tallest, said.
    writeAll(folder + "rear.img", blankImageText(28, 24));
    EXPECT_EQ(renderedBoard({folder + "front.img", folder + "rear.img", "--pixel-png", folder + "e.png"}, &err),
              QSize(160, 24));
    EXPECT_TRUE(err.contains("made for boards of 160 x 19, 28 x 24; drawn on 160 x 24")) << err.toStdString();
}
