// An image larger than the board: what loading it says, how saving it cut
// is held back until agreed to, and the board of a sign that an image made
// by hand for it opens on, which the settings file never keeps.
#include "SessionFixture.h"

#include "settings/IniFile.h"
#include "settings/SettingsStore.h"

#include <QDir>

#include <functional>

using session_testing::SessionTest;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

// A front sign's image, 160 x 19, whose last LED of the first row is lit:
// beyond a 96-wide board.
QByteArray wideImage()
{
    QList<QByteArray> lines = testing_support::blankImageText(160, 19).split('\n');
    lines[2] = QByteArray(38, '0') + "01\r";
    return lines.join('\n');
}

class BoardSizeTest : public SessionTest {
protected:
    BoardSizeTest()
    {
        started();
        writeAll(folder + "wide%2.img", wideImage()); // a name arg() must not fill in
    }
    QByteArray onDisk(const QString& name) const { return readAll(folder + name); }
};

} // namespace

TEST_F(BoardSizeTest, LoadingSaysWhatTheBoardCutsAndSavingItCutWaitsForAYes)
{
    ASSERT_TRUE(session.openChosen(folder + "wide%2.img"));
    EXPECT_EQ(session.cutNotice(), QStringLiteral("wide%2.img is made for a 160 x 19 board: the 96 x 24 board shows "
                                                  "frame 0 cut, and saving it cut asks first"));
    EXPECT_TRUE(session.cutQuestion().isEmpty()) << "nothing is cut until the frame is stored";

    // Stored at the board's width, the frame is written by nothing until agreed to.
    session.editor().storeFrame();
    EXPECT_TRUE(session.cutQuestion().startsWith(QStringLiteral("Frame 0 of wide%2.img was cut to the 96 x 24 board")));
    EXPECT_FALSE(session.save());
    QStringList refused;
    QObject::connect(&session.editor(), &vexel::BoardEditor::error, [&](const QString& m) { refused << m; });
    session.editor().setDuration(900); // the frame panel writes at once
    EXPECT_EQ(refused.size(), 1);
    EXPECT_EQ(onDisk("wide%2.img"), wideImage());
    EXPECT_TRUE(doc().modified()) << "the save prompt must still catch the edits";

    session.acceptCut();
    ASSERT_TRUE(session.save());
    EXPECT_TRUE(onDisk("wide%2.img").contains("0000000000600013")) << "written 96 wide";
}

TEST_F(BoardSizeTest, AnImageMadeForASignOpensOnItsBoardUntilAnotherImageIsOpenedOrMade)
{
    QDir().mkpath(folder + "front");
    writeAll(folder + "front/61.img", wideImage());
    writeAll(folder + "front/other.img", testing_support::blankImageText(96, 24));
    writeAll(folder + "front/bad.img", "zz\r\n");
    const vexel::SignBoard front{QStringLiteral("front"), 160, 19};
    const std::pair<const char*, std::function<vexel::Status()>> leaving[] = {
        {"New", [&] { session.newImage(); return vexel::Status::success(); }},
        {"Load", [&] { return session.openChosen(folder + "front/other.img"); }},
        {"a listed file", [&] { return session.openListed(QStringLiteral("other.img")); }},
    };
    for (const auto& [how, leave] : leaving) {
        SCOPED_TRACE(how);
        ASSERT_TRUE(session.openChosen(folder + "front/61.img", front));
        EXPECT_EQ(doc().frameRect(), (vexel::FrameRect{0, 0, 160, 19}));
        session.editor().storeFrame();
        ASSERT_TRUE(session.save());
        EXPECT_EQ(onDisk("front/61.img"), wideImage());
        // The settings file keeps the editor's own board.
        ASSERT_TRUE(session.saveSettings());
        IniFile kept;
        ASSERT_TRUE(kept.load(session.store().path()));
        EXPECT_EQ(kept.readInteger(QStringLiteral("Settings"), QStringLiteral("Tb_W"), 0), 96);
        // A file refused meanwhile leaves the image on its sign's board.
        EXPECT_FALSE(session.openChosen(folder + "front/bad.img"));
        EXPECT_EQ(doc().frameRect(), (vexel::FrameRect{0, 0, 160, 19}));

        ASSERT_TRUE(leave());
        EXPECT_EQ(session.settings().boardWidth(), 96);
        EXPECT_EQ(session.settings().boardHeight(), 24);
    }
}
