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
        writeAll(folder + "wide.img", wideImage());
    }
    QByteArray onDisk(const QString& name) const { return readAll(folder + name); }
};

} // namespace

TEST_F(BoardSizeTest, LoadingSaysWhatTheBoardCutsAndSavingItCutWaitsForAYes)
{
    ASSERT_TRUE(session.openChosen(folder + "wide.img"));
    EXPECT_EQ(session.cutNotice(),
              QStringLiteral("wide.img is made for a 160 x 19 board: the 96 x 24 board shows frame 0 cut, and saving it "
                             "cut asks first"));
    EXPECT_TRUE(session.cutQuestion().isEmpty()) << "nothing is cut until the frame is stored";

    // An edit stores the frame at the board's width: every way of writing
    // it now leaves the file whole.
    session.editor().storeFrame();
    doc().setModified(true);
    EXPECT_EQ(session.cutQuestion(), QStringLiteral("Frame 0 of wide.img was cut to the 96 x 24 board: saving loses "
                                                    "the LEDs beyond it for good. Save it cut?"));
    EXPECT_FALSE(session.save());
    QStringList refused;
    QObject::connect(&session.editor(), &vexel::BoardEditor::error, [&](const QString& m) { refused << m; });
    session.editor().setDuration(900); // the frame panel writes at once
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].startsWith(QStringLiteral("The image was not written: frame 0 of it was cut")))
        << refused[0].toStdString();
    EXPECT_EQ(onDisk("wide.img"), wideImage());
    EXPECT_TRUE(doc().modified()) << "the save prompt must still catch the edits";
    EXPECT_FALSE(session.saveAs(folder + "copy.img"));
    EXPECT_FALSE(QFileInfo::exists(folder + "copy.img"));

    session.acceptCut();
    ASSERT_TRUE(session.save());
    EXPECT_TRUE(onDisk("wide.img").contains("0000000000600013")) << "written 96 wide";
    EXPECT_TRUE(session.cutQuestion().isEmpty());

    // An image the board holds whole says nothing.
    files({"fits.img"});
    ASSERT_TRUE(session.openChosen(folder + "fits.img"));
    EXPECT_TRUE(session.cutNotice().isEmpty());
}

TEST_F(BoardSizeTest, AnImageMadeForASignOpensOnItsBoardUntilAnotherImageIsOpenedOrMade)
{
    QDir().mkpath(folder + "front");
    writeAll(folder + "front/61.img", wideImage());
    files({"other.img"});
    writeAll(folder + "front/other.img", testing_support::blankImageText(96, 24));
    const vexel::SignBoard front{QStringLiteral("front"), 160, 19};
    vexel::AppSettings& settings = session.settings();
    const QString ini = session.store().path();

    const std::pair<const char*, std::function<vexel::Status()>> leaving[] = {
        {"New", [&] { session.newImage(); return vexel::Status::success(); }},
        {"Load", [&] { return session.openChosen(folder + "other.img"); }},
        {"a listed file", [&] { return session.openListed(QStringLiteral("other.img")); }},
    };
    for (const auto& [how, leave] : leaving) {
        SCOPED_TRACE(how);
        ASSERT_TRUE(session.openChosen(folder + "front/61.img", front));
        EXPECT_EQ(settings.boardWidth(), 160);
        EXPECT_EQ(settings.boardHeight(), 19);
        EXPECT_EQ(doc().frameRect(), (vexel::FrameRect{0, 0, 160, 19}));
        EXPECT_TRUE(session.cutNotice().isEmpty());

        // Edited and saved whole; the settings file keeps the editor's own board.
        session.editor().storeFrame();
        ASSERT_TRUE(session.save());
        EXPECT_EQ(onDisk("front/61.img"), wideImage());
        ASSERT_TRUE(session.saveSettings());
        IniFile kept;
        ASSERT_TRUE(kept.load(ini));
        EXPECT_EQ(kept.readInteger(QStringLiteral("Settings"), QStringLiteral("Tb_W"), 0), 96);
        EXPECT_EQ(kept.readInteger(QStringLiteral("Settings"), QStringLiteral("Tb_H"), 0), 24);

        // A file refused meanwhile leaves the image on its sign's board.
        writeAll(folder + "front/bad.img", "zz\r\n");
        EXPECT_FALSE(session.openChosen(folder + "front/bad.img"));
        EXPECT_EQ(settings.boardWidth(), 160);
        EXPECT_EQ(doc().frameRect(), (vexel::FrameRect{0, 0, 160, 19}));

        ASSERT_TRUE(leave());
        EXPECT_FALSE(settings.signBoard());
        EXPECT_EQ(settings.boardWidth(), 96);
        EXPECT_EQ(settings.boardHeight(), 24);
    }

    // The editor's own board changed meanwhile is the one that comes back.
    ASSERT_TRUE(session.openChosen(folder + "front/61.img", front));
    settings.setBoardWidth(128);
    EXPECT_EQ(settings.boardWidth(), 160);
    session.newImage();
    EXPECT_EQ(settings.boardWidth(), 128);
}
