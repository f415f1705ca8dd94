// The file commands of the main window: New, Load, Save, Save As and the
// save prompt, with every dialog answered by a script.
#include "app/Graphic_Editor.h"
#include "session/EditorSession.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::readAll;
using testing_support::writeAll;

namespace {

const QString Prompt = QStringLiteral("Image changed. Do you want to save?");

class FilesTest : public ::testing::Test {
protected:
    FilesTest() : folder(testing_support::folderOf(dir)), form(EditorContext{folder, &prompter})
    {
        ui.Timer1->stop(); // the start-up work is not under test here
        session.document().setFolder(folder);
        session.settings().setStartupDone(true);
    }

    QString file(const QString& name) const { return folder + name; }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    TForm1 form;
    vexel::EditorSession& session = form.session(); // what the window works on
    testing_support::MainControls ui{form};
};

} // namespace

TEST_F(FilesTest, NewMakesAnUntitledBlankImageWithoutWritingAnything)
{
    session.document().setUntitledNumber(3);
    ui.New1->trigger();
    EXPECT_EQ(session.document().fileName(), "Untitled3");
    EXPECT_EQ(form.windowTitle(), TForm1::Title_Text + folder + "Untitled3");
    EXPECT_EQ(ui.Label3->text(), "");
    EXPECT_EQ(session.document().record().lineCount(), 26);
    EXPECT_EQ(session.document().record().line(1), "000001F40000000000600018");
    EXPECT_EQ(session.document().frameCount(), 1);
    EXPECT_FALSE(session.document().modified());
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.img"), QStringLiteral("Untitled*")}, QDir::Files).isEmpty());
    EXPECT_EQ(prompter.count("confirm"), 0);
}

TEST_F(FilesTest, SaveOfAnUntitledImageGoesThroughSaveAsThenWritesInPlace)
{
    session.document().setUntitledNumber(3);
    ui.New1->trigger();
    session.document().setModified(true);
    prompter.fileAnswers.push_back(file("Untitled3")); // typed without extension
    ui.Save1->trigger();
    ASSERT_EQ(prompter.count("save"), 1);
    EXPECT_EQ(prompter.asked.back().request.proposedName, "Untitled3");
    EXPECT_EQ(prompter.asked.back().request.directory, folder);
    EXPECT_EQ(session.document().fileName(), "Untitled3.img");
    EXPECT_EQ(readAll(file("Untitled3.img")).size(), 656);
    EXPECT_FALSE(session.document().modified());
    EXPECT_EQ(form.windowTitle(), TForm1::Title_Text + folder + "Untitled3.img");

    session.document().editableRecord().setLine(2, std::string(24, 'F'));
    ui.Save1->trigger(); // now written directly
    EXPECT_EQ(prompter.count("save"), 1);
    EXPECT_TRUE(readAll(file("Untitled3.img")).contains(QByteArray(24, 'F')));
}

TEST_F(FilesTest, TitledNamesAreWrittenDirectly)
{
    // "untitled5" is titled: the test for untitled names is case-sensitive.
    for (const char* typed : {"route", "untitled5"}) {
        const QString name = QString::fromLatin1(typed);
        ui.New1->trigger();
        session.document().setFileName(name);
        session.document().setModified(true);
        ui.Save1->trigger();
        EXPECT_EQ(readAll(file(name)).size(), 656) << name.toStdString();
        EXPECT_FALSE(session.document().modified());
        EXPECT_EQ(ui.Label3->text(), name);
    }
    EXPECT_EQ(prompter.count("save"), 0);
}

TEST_F(FilesTest, CancelledSaveAsChangesNothing)
{
    ui.New1->trigger();
    session.document().setModified(true);
    ui.Save1->trigger();
    EXPECT_EQ(prompter.count("save"), 1);
    EXPECT_TRUE(session.document().modified());
    EXPECT_EQ(session.document().fileName(), "Untitled1");
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.img"), QStringLiteral("Untitled*")}, QDir::Files).isEmpty());
}

TEST_F(FilesTest, LoadShowsTheChosenFileAndItsFolder)
{
    QTemporaryDir other;
    const QString otherFolder = testing_support::folderOf(other);
    writeAll(otherFolder + "sign.img", testing_support::blankImageText(96, 24, 1000));
    ui.New1->trigger();
    prompter.fileAnswers.push_back(otherFolder + "sign.img");
    ui.Load1->trigger();
    ASSERT_EQ(prompter.count("open"), 1);
    EXPECT_EQ(prompter.asked.back().request.directory, folder);
    EXPECT_EQ(prompter.asked.back().request.proposedName, "") << "no such file yet: the name is cleared";
    EXPECT_EQ(session.document().folder(), otherFolder);
    EXPECT_EQ(session.document().fileName(), "sign.img");
    EXPECT_EQ(session.document().record().line(1), "000003E80000000000600018");
    EXPECT_EQ(form.windowTitle(), TForm1::Title_Text + otherFolder + "sign.img");
    EXPECT_EQ(prompter.count("error"), 0);
}

TEST_F(FilesTest, ARefusedFileLeavesTheImageAsItWas)
{
    writeAll(file("good.img"), testing_support::blankImageText(96, 24));
    ASSERT_TRUE(session.open(folder, "good.img", 0));
    session.document().editableRecord().setLine(2, std::string(24, 'F'));
    session.document().setModified(true);
    const vexel::ImageRecord before = session.document().record();
    const QString title = form.windowTitle();

    writeAll(file("bad.img"), "0001\r\n000001F40000000000600018\r\nZZ\r\n");
    prompter.confirmAnswers.push_back(false);
    prompter.fileAnswers.push_back(file("bad.img"));
    ui.Load1->trigger();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error").front().contains("bad.img"));
    EXPECT_TRUE(prompter.texts("error").front().contains("line 3"));
    EXPECT_EQ(session.document().record(), before);
    EXPECT_EQ(session.document().fileName(), "good.img");
    EXPECT_EQ(form.windowTitle(), title);
    EXPECT_TRUE(session.document().modified());
}

TEST_F(FilesTest, TheSavePromptSavesOnYesAndGoesOnWithoutOnNo)
{
    writeAll(file("a.img"), testing_support::blankImageText(96, 24));
    ASSERT_TRUE(session.open(folder, "a.img", 0));

    session.document().editableRecord().setLine(2, std::string(24, 'F'));
    session.document().setModified(true);
    prompter.confirmAnswers.push_back(false);
    ui.New1->trigger();
    EXPECT_EQ(prompter.texts("confirm"), QStringList{Prompt});
    EXPECT_FALSE(readAll(file("a.img")).contains(QByteArray(24, 'F')));

    ASSERT_TRUE(session.open(folder, "a.img", 0));
    session.document().editableRecord().setLine(2, std::string(24, 'F'));
    session.document().setModified(true);
    prompter.confirmAnswers.push_back(true);
    ui.New1->trigger();
    EXPECT_EQ(prompter.count("confirm"), 2);
    EXPECT_TRUE(readAll(file("a.img")).contains(QByteArray(24, 'F')));
    EXPECT_EQ(session.document().fileName(), "Untitled1");
}

TEST_F(FilesTest, AFailedSaveKeepsTheImageModified)
{
    ui.New1->trigger();
    session.document().setFolder(folder + "missing/");
    session.document().setFileName("route.img");
    session.document().setModified(true);
    ui.Save1->trigger();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error").front().startsWith("Cannot create file \"" + folder + "missing/route.img\"."));
    EXPECT_TRUE(session.document().modified());
}
