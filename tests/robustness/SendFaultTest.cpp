// A send-list file that goes bad between the scan of the data folder and
// Send: nothing reaches the board, the user is told which file, the
// controls come back and the image that was open is shown again.
#include "BoardProcess.h"
#include "Faults.h"

#include "app/Graphic_Editor.h"
#include "session/EditorSession.h"
#include "app/Settings.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"
#include "transfer/SerialLink.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using robustness::PipeWatch;
using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

struct FileFault {
    const char* name;
    std::function<void(const QString& path)> apply;
    const char* message; // how the error begins; the path follows in quotes
    bool needsNonRoot = false;
};

void PrintTo(const FileFault& f, std::ostream* os) { *os << f.name; }

const FileFault fileFaults[] = {
    {"Deleted", [](const QString& p) { QFile::remove(p); }, "Cannot open file"},
    {"ReplacedByFolder", [](const QString& p) { QFile::remove(p); QDir().mkdir(p); }, "Cannot open file"},
    {"ReplacedByNamedPipe", [](const QString& p) { QFile::remove(p); ::mkfifo(QFile::encodeName(p).constData(), 0644); },
     "Cannot open file"},
    {"NotReadable", [](const QString& p) { ::chmod(QFile::encodeName(p).constData(), 0); }, "Cannot open file", true},
    {"NonHexCharacter",
     [](const QString& p) {
         QByteArray text = readAll(p);
         text[text.indexOf("\r\n", 40) + 5] = 'G'; // inside the second row line
         writeAll(p, text);
     },
     "Cannot load"},
    {"CutShort", [](const QString& p) { writeAll(p, readAll(p).left(200)); }, "Cannot load"},
};

class SendFault : public ::testing::Test {
protected:
    SendFault() : folder(testing_support::folderOf(dir)) {}

    void start(const QString& dataFolder)
    {
        board = std::make_unique<BoardProcess>(QStringList{"--dump", outDir.path() + "/dump.bin"});
        ASSERT_TRUE(board->started());
        form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        ui().Timer1->stop();
        session().settings().setStartupDone(true);
        session().document().setFolder(dataFolder);
        session().settings().setFlashDelay(0);
        // These tests are about the job: its report before Send is answered
        // "Send anyway" (the report has tests of its own).
        prompter.decideAnswers.assign(16, true);
        session().settings().setTimeOut(3000);
        ui().Form2->ComboBox1->setEditText(board->path());
        ASSERT_TRUE(session().link().isOpen());
    }

    // Only a read request sent afterwards reached the board.
    void expectNothingSent()
    {
        ui().Button12->click();
        EXPECT_EQ(ui().StatusBar2->currentMessage(), "OK");
        EXPECT_EQ(readAll(outDir.path() + "/dump.bin"), vexel::DataMessage::readMessage());
    }

    void expectControlsBack()
    {
        for (QWidget* w : {static_cast<QWidget*>(ui().Button10), static_cast<QWidget*>(ui().Button12),
                           static_cast<QWidget*>(ui().ListBox1), static_cast<QWidget*>(ui().ListBox2),
                           static_cast<QWidget*>(ui().Button7)})
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_FALSE(ui().Button14->isEnabled());
        EXPECT_TRUE(ui().New1->isEnabled() && ui().Load1->isEnabled() && ui().Settings1->isEnabled());
    }

    QTemporaryDir dir;
    QTemporaryDir outDir;
    QString folder;
    ScriptedPrompter prompter;
    std::unique_ptr<BoardProcess> board;
    std::unique_ptr<TForm1> form;
    vexel::EditorSession& session() { return form->session(); }
    testing_support::MainControls ui() const { return testing_support::MainControls(*form); }
};

class SendListFileFault : public SendFault, public ::testing::WithParamInterface<FileFault> {};

} // namespace

TEST_P(SendListFileFault, NothingIsSentAndTheOpenImageComesBack)
{
    if (GetParam().needsNonRoot && ::geteuid() == 0)
        GTEST_SKIP() << "root reads every file whatever its permissions";
    start(folder);
    const QByteArray shown = robustness::imageText(2, 96, 24);
    writeAll(folder + "shown.img", shown);
    writeAll(folder + "first.img", robustness::imageText(1, 96, 24));
    writeAll(folder + "second.img", robustness::imageText(3, 64, 16));
    session().document().setFileName("shown.img");
    ASSERT_TRUE(session().loadFile());
    session().sendList().setEntries({"first.img", "second.img"});
    session().listFiles();
    ASSERT_EQ(ui().ListBox2->count(), 2);

    const QString bad = folder + "second.img";
    GetParam().apply(bad);
    std::unique_ptr<PipeWatch> pipe;
    if (QFileInfo(bad).exists() && !QFileInfo(bad).isFile() && !QFileInfo(bad).isDir())
        pipe = std::make_unique<PipeWatch>(bad);

    ui().Button10->click();
    if (pipe) {
        EXPECT_FALSE(pipe->openedForReading()) << "opening a named pipe as an image waits for a writer for ever";
    }
    ASSERT_EQ(prompter.count("error"), 1) << prompter.texts("error").join(" | ").toStdString();
    EXPECT_TRUE(prompter.texts("error").front().startsWith(QStringLiteral("%1 \"%2\"").arg(GetParam().message, bad)))
        << prompter.texts("error").front().toStdString();
    EXPECT_EQ(prompter.count("inform"), 0);

    EXPECT_EQ(session().document().fileName(), "shown.img");
    EXPECT_EQ(QByteArray::fromStdString(session().document().record().text()), shown);
    EXPECT_FALSE(session().document().modified());
    EXPECT_EQ(form->windowTitle(), TForm1::Title_Text + folder + "shown.img");
    expectControlsBack();
    expectNothingSent();
}

INSTANTIATE_TEST_SUITE_P(Faults, SendListFileFault, ::testing::ValuesIn(fileFaults),
                         [](const auto& p) { return std::string(p.param.name); });

// The job saves the open image before it packs the files. When that save
// fails, nothing is sent and the edits stay in the editor, still marked.
TEST_F(SendFault, OpenImageThatCannotBeSavedStopsTheJob)
{
    testing_support::ScratchMount mount(64);
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    start(mount.folder());
    const QByteArray original = robustness::imageText(1, 96, 24);
    writeAll(mount.folder() + "shown.img", original);
    session().document().setFileName("shown.img");
    ASSERT_TRUE(session().loadFile());
    session().sendList().setEntries({"shown.img"});
    session().listFiles();
    session().document().editableRecord().setLine(2, std::string(24, 'F'));
    session().document().setModified(true);
    const vexel::ImageRecord edited = session().document().record();
    ASSERT_TRUE(mount.makeReadOnly());

    ui().Button10->click();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error").front().startsWith("Cannot create file \"" + mount.folder() + "shown.img\". "));
    EXPECT_EQ(readAll(mount.folder() + "shown.img"), original);
    EXPECT_EQ(session().document().record(), edited);
    EXPECT_TRUE(session().document().modified());
    expectControlsBack();
    expectNothingSent();
}
