// The send job and the read request as the main window shows them, against
// the virtual board on a pseudo-terminal: statuses, log, progress, the
// locked controls and the prompts. What reaches the board is tested on the
// layer.
#include "BoardProcess.h"

#include "app/Graphic_Editor.h"
#include "app/SendPanel.h"
#include "session/EditorSession.h"
#include "app/Settings.h"
#include "app/Test_Window.h"
#include "document/HexConvert.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"
#include "transfer/SerialLink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

const QByteArray Read = vexel::DataMessage::readMessage();

// An image of `frames` frames: a full 96 x 24 frame with a pattern given by
// `seed`, then small windows.
QByteArray imageText(int frames, int seed)
{
    QByteArray text = QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>(frames), 4)) + "\r\n";
    text += "000001F40000000000600018\r\n";
    for (int r = 0; r < 24; ++r)
        text += QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>((seed * 31 + r) & 0xFF), 2)).repeated(12) +
                "\r\n";
    for (int f = 1; f < frames; ++f)
        text += QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>(f), 2)) + "1203E8000800040010000" "2\r\n" +
                "ABCD\r\n1234\r\n";
    return text;
}

class TransferJob : public ::testing::Test {
protected:
    TransferJob() : folder(testing_support::folderOf(dir)) {}

    void start(const QStringList& boardOptions = {})
    {
        board = std::make_unique<BoardProcess>(boardOptions);
        ASSERT_TRUE(board->started());
        form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        ui().Timer1->stop();
        session().document().setFolder(folder);
        session().settings().setStartupDone(true);
        session().settings().setFlashDelay(0);
        // These tests are about the job: its report before Send is answered
        // "Send anyway" (the report has tests of its own).
        prompter.decideAnswers.assign(16, true);
        session().settings().setTimeOut(3000);
        QObject::connect(ui().StatusBar2, &QStatusBar::messageChanged, form.get(),
                         [this](const QString& text) { statuses << text; });
        ui().Form2->ComboBox1->setEditText(board->path());
        ASSERT_FALSE(ui().Form2->Port_Box_Red());
        ASSERT_TRUE(session().link().isOpen());
    }
    void open(const QString& name)
    {
        session().document().setFileName(name);
        session().document().setCurrentFrame(0);
        ASSERT_TRUE(session().loadFile());
    }
    void sendList(const QStringList& names)
    {
        session().sendList().setEntries(names);
        session().listFiles();
    }
    QStringList logLines() const { return ui().Form3->Memo2->toPlainText().split('\n'); }
    QString dumpPath() const { return outDir.path() + "/dump.bin"; }
    QString outPath(int n) const { return outDir.path() + QStringLiteral("/%1.img").arg(n); }
    bool jobCommandsEnabled() const
    {
        return ui().New1->isEnabled() && ui().Load1->isEnabled() && ui().SaveAs1->isEnabled() &&
               ui().SpeedButton1->isEnabled() && ui().SpeedButton2->isEnabled() && ui().Settings1->isEnabled() &&
               ui().Save1->isEnabled() && ui().Paste1->isEnabled();
    }
    bool jobCommandsDisabled() const
    {
        // Ctrl+S and Ctrl+V too: they would write or paste into the file shown in passing.
        return !ui().New1->isEnabled() && !ui().Load1->isEnabled() && !ui().SaveAs1->isEnabled() &&
               !ui().SpeedButton1->isEnabled() && !ui().SpeedButton2->isEnabled() && !ui().Settings1->isEnabled() &&
               !ui().Save1->isEnabled() && !ui().Paste1->isEnabled();
    }

    QTemporaryDir dir;
    QTemporaryDir outDir;
    QString folder;
    ScriptedPrompter prompter;
    std::unique_ptr<BoardProcess> board;
    std::unique_ptr<TForm1> form;
    vexel::EditorSession& session() { return form->session(); }
    testing_support::MainControls ui() const { return testing_support::MainControls(*form); }
    QStringList statuses;
};

} // namespace

TEST_F(TransferJob, PortThatDoesNotOpenRefusesSendButNotRead)
{
    start();
    writeAll(folder + "route.img", testing_support::blankImageText(96, 24));
    sendList({"route.img"});
    ui().Form2->ComboBox1->setEditText(folder + "no-such-port");
    EXPECT_TRUE(ui().Form2->Port_Box_Red());

    ui().Button10->click();
    EXPECT_EQ(prompter.texts("inform"), QStringList({"Port was not opened"}));
    EXPECT_EQ(prompter.asked.back().button, Prompter::InfoButton::Yes);
    // The status bar says why the port failed, and Send adds nothing to it.
    ASSERT_EQ(statuses.size(), 1);
    EXPECT_EQ(statuses.front(), session().link().openError());
    EXPECT_EQ(ui().Form2->ComboBox1->toolTip(), statuses.front());
    EXPECT_TRUE(statuses.front().contains(folder + "no-such-port")) << statuses.front().toStdString();
    EXPECT_TRUE(ui().ListBox2->isEnabled());

    session().settings().setTimeOut(20);
    serial_testing::TickDriver ticks(session().link());
    ui().Button12->click();
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "Connection Error");
    EXPECT_TRUE(ui().Button10->isEnabled());
}

TEST_F(TransferJob, EmptySendListEndsAtOnceWithTheControlsBack)
{
    start();
    sendList({});
    form->findChild<SendPanel*>()->Button10Click();
    EXPECT_EQ(prompter.texts("inform"), QStringList({"No files selected"}));
    EXPECT_EQ(prompter.asked.back().button, Prompter::InfoButton::Ok);
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "Preparing");
    EXPECT_TRUE(ui().Button10->isEnabled());
    EXPECT_TRUE(ui().ListBox1->isEnabled());
    EXPECT_TRUE(ui().Button7->isEnabled());
    EXPECT_TRUE(jobCommandsEnabled());
}

TEST_F(TransferJob, DataLengthBeforeAndAfterBuildingTheMessage)
{
    start({"--log"});
    writeAll(folder + "route.img", testing_support::blankImageText(96, 24));
    ui().CheckBox1->setChecked(true);
    sendList({"route.img"});
    EXPECT_EQ(ui().Label5->text(), "Data length: 304");

    ui().Button10->click();
    EXPECT_EQ(ui().Label5->text(), "Data length: 323");
    EXPECT_EQ(statuses, QStringList({"Preparing", "Sending", "Wait for reply", "OK"}));
    const QStringList log = logLines();
    ASSERT_EQ(log.size(), 4) << log.join('|').toStdString();
    EXPECT_EQ(log[0], "");
    EXPECT_EQ(log[1], "DATA=0131,019E");
    EXPECT_EQ(log[2], "01012E" + QString::fromLatin1(testing_support::blankImageText(96, 24)).remove("\r\n"));
    EXPECT_EQ(log[3], "4F4B0D0A");
    EXPECT_EQ(ui().ProgressBar1->value(), ui().ProgressBar1->maximum());
    EXPECT_TRUE(board->log().contains("DATA 305 bytes, 1 files, checksum 019E -> OK"));
}

TEST_F(TransferJob, ReadAfterAStoppedSendSendsAllNineBytes)
{
    start({"--dump", dumpPath()});
    session().settings().setFlashDelay(1); // events are served after every byte
    writeAll(folder + "route.img", testing_support::blankImageText(96, 24));
    sendList({"route.img"});
    // Stop is pressed as soon as the exchange serves its first events.
    auto pressStop = QObject::connect(ui().StatusBar2, &QStatusBar::messageChanged, form.get(), [this](const QString& t) {
        if (t == QStringLiteral("Sending"))
            QMetaObject::invokeMethod(ui().Button14, &QPushButton::click, Qt::QueuedConnection);
    });
    ui().Button10->click();
    QObject::disconnect(pressStop);
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "Stopped");
    EXPECT_FALSE(ui().Button14->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readAll(dumpPath()).isEmpty(); }, 5000));

    ui().Button12->click();
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "OK");
    EXPECT_EQ(logLines(), QStringList({"4F4B0D0A"}));
    EXPECT_EQ(readAll(dumpPath()), "\r" + Read);
}

TEST_F(TransferJob, ControlsAreLockedForTheJobAndGivenBack)
{
    start();
    writeAll(folder + "route.img", testing_support::blankImageText(96, 24));
    open("route.img");
    sendList({"route.img"});
    struct Seen {
        bool commandsOff = false, imageOff = false, stopOn = false, listsOff = false, runOff = false;
    };
    Seen seen;
    QObject::connect(&session().link(), &SerialLink::statusChanged, form.get(), [&](const QString& t) {
        if (t != QStringLiteral("Wait for reply"))
            return;
        seen = {jobCommandsDisabled(), !ui().Image1->isEnabled(), ui().Button14->isEnabled(),
                !ui().ListBox1->isEnabled() && !ui().ListBox2->isEnabled(), !ui().Button7->isEnabled()};
    });

    ui().Button10->click();
    EXPECT_TRUE(seen.commandsOff && seen.imageOff && seen.stopOn && seen.listsOff && seen.runOff);
    EXPECT_TRUE(jobCommandsEnabled());
    EXPECT_TRUE(ui().Image1->isEnabled());
    EXPECT_FALSE(ui().Button14->isEnabled());
    EXPECT_FALSE(ui().Button9->isEnabled());
    EXPECT_TRUE(ui().Button7->isEnabled());

    seen = {};
    ui().Button12->click();
    EXPECT_TRUE(seen.commandsOff && seen.imageOff && !seen.stopOn && seen.listsOff && seen.runOff);
    EXPECT_TRUE(jobCommandsEnabled());
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "OK");
}

TEST_F(TransferJob, FileThatCannotTravelSendsNothing)
{
    start({"--dump", dumpPath()});
    writeAll(folder + "shown.img", imageText(1, 4));
    writeAll(folder + "bad.img", "0001\r\n000001F4000000000060001\r\n");
    // Eleven frames of the largest window: more than a file may carry.
    QByteArray big = "000B\r\n";
    for (int f = 0; f < 11; ++f) {
        big += QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>(f), 2)) + "0001F40000000001E80064\r\n";
        for (int r = 0; r < 100; ++r)
            big += QByteArray(122, '0') + "\r\n";
    }
    writeAll(folder + "big.img", big);
    open("shown.img");

    sendList({"shown.img", "bad.img"});
    ui().Button10->click();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error")[0].contains("bad.img"));

    sendList({"big.img"});
    ui().Button10->click();
    ASSERT_EQ(prompter.count("inform"), 1);
    EXPECT_TRUE(prompter.texts("inform")[0].contains("\"big.img\" holds 67234 bytes"));

    EXPECT_EQ(session().document().fileName(), "shown.img");
    EXPECT_EQ(QByteArray::fromStdString(session().document().record().text()), imageText(1, 4));
    EXPECT_TRUE(ui().ListBox2->isEnabled());
    EXPECT_TRUE(jobCommandsEnabled());
    // Only the read request went out.
    ui().Button12->click();
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "OK");
    EXPECT_EQ(readAll(dumpPath()), Read);
}

// The report before Send: nothing to report sends without asking; a finding
// asks, and Cancel sends nothing.
TEST_F(TransferJob, TheCheckBeforeSendAsksOnlyWhenItFindsSomething)
{
    start({"--dump", outDir.path() + "/dump.bin"});
    prompter.decideAnswers.clear();
    writeAll(folder + "lit.img", imageText(1, 5));
    sendList({"lit.img"});
    ui().Button10->click();
    EXPECT_EQ(prompter.count("decide"), 0);
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "OK");

    QByteArray dark = testing_support::blankImageText(96, 24, 0);
    writeAll(folder + "dark.img", dark);
    sendList({"lit.img", "dark.img"});
    const qint64 sentBefore = readAll(outDir.path() + "/dump.bin").size();
    prompter.decideAnswers = {false};
    ui().Button10->click();
    ASSERT_EQ(prompter.count("decide"), 1);
    const QString report = prompter.texts("decide").front();
    EXPECT_TRUE(report.contains("dark.img, frame 0")) << report.toStdString();
    EXPECT_EQ(readAll(outDir.path() + "/dump.bin").size(), sentBefore) << "Cancel sends nothing";
    EXPECT_TRUE(ui().Button10->isEnabled());

    prompter.decideAnswers = {true};
    ui().Button10->click();
    EXPECT_GT(readAll(outDir.path() + "/dump.bin").size(), sentBefore) << "Send anyway sends";
}

// A file changed on disk after it was put on the list is reported; the
// editor's own saves of it are not.
TEST_F(TransferJob, TheCheckBeforeSendNamesAFileChangedBesideTheEditor)
{
    start();
    writeAll(folder + "a.img", imageText(1, 3));
    session().listFiles();
    ui().ListBox1->item(0)->setSelected(true);
    ui().Button3->click(); // a.img joins the send list now
    prompter.decideAnswers.clear();
    QTest::qWait(20);
    writeAll(folder + "a.img", imageText(2, 4)); // another program writes it
    ui().Button10->click();
    ASSERT_EQ(prompter.count("decide"), 1);
    EXPECT_TRUE(prompter.texts("decide").front().contains("a.img")) << prompter.texts("decide").front().toStdString();
}
