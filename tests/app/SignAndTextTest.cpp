// The Text tool and the Sign window in the main window: the ghost, Place as
// one undo step, Cancel; the simulator following the file and its step time
// kept in the settings file; the exports.
#include "support/EditorFixture.h"

#include "app/TextPanel.h"
#include "preview/Timeline.h"
#include "widgets/SignView.h"
#include "widgets/SignWindow.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

const vexel::FrameRect Window{0, 0, 96, 24};

class SignAndTextTest : public EditorTest {
protected:
    void openSign()
    {
        open(imageText({FrameText{header(0, 500, Window), '0'}, FrameText{header(1, 700, {8, 4, 16, 8}, 1, 2), 'F'}}));
    }
    QImage board() const { return session.editor().canvas().board().image().copy(0, 0, 96, 24); }
};

TEST_F(SignAndTextTest, PlacedTextIsOneStepThatUndoRestoresExactly)
{
    openSign();
    const std::string record = session.document().record().text();
    const QImage before = board();
    form.findChild<QAction*>(QStringLiteral("Text1"))->trigger();
    ASSERT_NE(form.findChild<TextPanel*>(), nullptr);
    form.findChild<TextPanel*>()->textEdit->setPlainText(QStringLiteral("12"));
    EXPECT_TRUE(ui.Image1->hasGhost());
    EXPECT_EQ(session.document().record().text(), record) << "the ghost changes nothing";

    form.findChild<TextPanel*>()->place();
    EXPECT_FALSE(ui.Image1->hasGhost());
    EXPECT_NE(session.document().record().text(), record);
    EXPECT_EQ(ui.Undo1->text(), "Undo text");
    EXPECT_TRUE(session.document().modified());

    ui.Undo1->trigger();
    EXPECT_EQ(session.document().record().text(), record);
    EXPECT_TRUE(board() == before);
}

TEST_F(SignAndTextTest, CancelLeavesTheRecordAsItWas)
{
    openSign();
    const std::string record = session.document().record().text();
    form.findChild<QAction*>(QStringLiteral("Text1"))->trigger();
    form.findChild<TextPanel*>()->textEdit->setPlainText(QStringLiteral("AIRPORT"));
    ASSERT_TRUE(ui.Image1->hasGhost());
    form.findChild<TextPanel*>()->cancel();
    EXPECT_FALSE(ui.Image1->hasGhost());
    EXPECT_EQ(session.document().record().text(), record);
    EXPECT_FALSE(session.editor().history().canUndo());
}

TEST_F(SignAndTextTest, CharactersPlacedAsBoxesAreRememberedForTheCheckBeforeSend)
{
    openSign();
    form.findChild<QAction*>(QStringLiteral("Text1"))->trigger();
    form.findChild<TextPanel*>()->textEdit->setPlainText(QStringLiteral("12 \u2603"));
    form.findChild<TextPanel*>()->place();
    const std::map<QString, QString>& missing = session.sendList().missingGlyphs();
    ASSERT_EQ(missing.count(path()), 1u);
    EXPECT_TRUE(missing.at(path()).contains(QChar(0x2603)));
}

TEST_F(SignAndTextTest, TheSignWindowFollowsTheFileAndKeepsItsStepInTheSettings)
{
    openSign();
    form.findChild<QAction*>(QStringLiteral("Sign1"))->trigger();
    ASSERT_TRUE(form.findChild<SignWindow*>()->isVisible());
    const std::int64_t before = form.findChild<SignWindow*>()->timeline().loopLength();
    // A frame-panel change writes the file; the simulator plays the new version.
    ui.ListBox3->setCurrentRow(1);
    ui.SpinEdit2->setValue(1700);
    framesPanel.SpinEdit2KeyUp();
    EXPECT_EQ(form.findChild<SignWindow*>()->timeline().loopLength(), before + 1000);

    QSpinBox* step = form.findChild<SignWindow*>()->findChild<QSpinBox*>();
    ASSERT_NE(step, nullptr);
    step->setValue(45);
    EXPECT_EQ(session.settings().simulatorStep(), 45);
    EXPECT_TRUE(testing_support::readAll(folder + "Lumaro.ini").contains("[Simulator]\nStep_ms=45\n"));

    // The LED colour chosen in the window is kept beside the step.
    EXPECT_FALSE(form.findChild<SignWindow*>()->editorColour());
    for (QComboBox* box : form.findChild<SignWindow*>()->findChildren<QComboBox*>())
        if (box->accessibleName() == QLatin1String("LED colour"))
            box->setCurrentIndex(1);
    EXPECT_EQ(session.settings().simulatorColour(), vexel::AppSettings::SimulatorColour::EditorLit);
    EXPECT_TRUE(testing_support::readAll(folder + "Lumaro.ini").contains("[Simulator]\nStep_ms=45\nColour=Editor\n"));
    session.settings().setLedColor(0x00FF8000); // COLORREF: blue 255, green 128
    EXPECT_EQ(form.findChild<SignWindow*>()->view()->litColour(), qRgb(0, 128, 255));
    form.findChild<SignWindow*>()->close();
}

TEST_F(SignAndTextTest, ExportsWriteTheirFilesAndAStoppedGifLeavesNone)
{
    openSign();
    prompter.fileAnswers = {folder + "frame.png", folder + "sign.gif", folder + "proof.png"};
    form.findChild<QAction*>(QStringLiteral("Export_Frame_Pixels"))->trigger();
    const QImage frame(folder + "frame.png");
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.size(), QSize(96, 24)) << "one pixel per LED";
    form.findChild<QAction*>(QStringLiteral("Export_Gif_Image"))->trigger();
    EXPECT_TRUE(testing_support::readAll(folder + "sign.gif").startsWith("GIF89a"));
    form.findChild<QAction*>(QStringLiteral("Export_Sheet_Image"))->trigger();
    EXPECT_FALSE(QImage(folder + "proof.png").isNull());
    EXPECT_TRUE(prompter.texts("error").isEmpty()) << prompter.texts("error").join('\n').toStdString();

    prompter.fileAnswers = {folder + "stopped.gif"};
    QTimer::singleShot(0, &form, [this] { ui.Button14->click(); });
    form.findChild<QAction*>(QStringLiteral("Export_Gif_Image"))->trigger();
    EXPECT_FALSE(QFile::exists(folder + "stopped.gif"));
    EXPECT_EQ(ui.StatusBar2->currentMessage(), "Export stopped");
}

TEST_F(SignAndTextTest, TheExportMenuIsBuiltFromTheFormatsAndItsEntriesExport)
{
    QStringList entries;
    for (QAction* action : form.findChild<QMenu*>(QStringLiteral("Export1"))->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(entries, (QStringList{"Frame as PNG, LED look...", "Frame as PNG, one pixel per LED...", "-",
                                    "Image as animated GIF...", "Send list as animated GIF...", "-",
                                    "Proof sheet of the image...", "Proof sheet of the send list...",
                                    "Proof sheet of the image as PDF...", "Proof sheet of the send list as PDF..."}));
    EXPECT_EQ(form.findChild<QAction*>(QStringLiteral("Export_Gif_List"))->text(), "Send list as animated GIF...");

    // The send list's GIF through its menu entry: the file named first.
    openSign();
    session.listFiles();
    ui.Button3->click(); // the first file goes over to the send list
    ASSERT_EQ(session.sendList().entries(), QStringList{"test.img"});
    prompter.fileAnswers = {folder + "list.gif"};
    form.findChild<QAction*>(QStringLiteral("Export_Gif_List"))->trigger();
    EXPECT_TRUE(prompter.texts("error").isEmpty()) << prompter.texts("error").join('\n').toStdString();
    EXPECT_TRUE(testing_support::readAll(folder + "list.gif").startsWith("GIF89a"));
    EXPECT_EQ(ui.StatusBar2->currentMessage(), "Exported " + folder + "list.gif");
    EXPECT_EQ(ui.StatusBar2->accessibleDescription(), "Exported " + folder + "list.gif") << "read out as shown";
}

} // namespace
