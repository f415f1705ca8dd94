// The layer's file use cases and the start-up sequence, without a window:
// what each leaves in the document, the folder's lists and the settings
// file, and that a refused file changes nothing.
#include "SessionFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

using session_testing::SessionTest;
using testing_support::blankImageText;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

const QByteArray Refused = "0001\r\n000001F40000000000600018\r\nZZ\r\n";

class SessionFiles : public SessionTest {};

} // namespace

TEST_F(SessionFiles, OpenChosenTakesTheFolderListsItAndKeepsTheSettings)
{
    QTemporaryDir other;
    const QString otherFolder = testing_support::folderOf(other);
    writeAll(otherFolder + "sign.img", blankImageText(96, 24, 1000));
    writeAll(otherFolder + "more.img", blankImageText(96, 24));
    started();
    QSignalSpy shown(&session, &vexel::EditorSession::imageShown);
    ASSERT_TRUE(session.openChosen(otherFolder + "sign.img"));
    EXPECT_EQ(doc().folder(), otherFolder);
    EXPECT_EQ(doc().fileName(), "sign.img");
    EXPECT_EQ(doc().record().line(1), "000003E80000000000600018");
    EXPECT_EQ(session.sendList().files(), QStringList({"more.img", "sign.img"}));
    EXPECT_EQ(shown.count(), 1);
    const QByteArray ini = readAll(folder + "Lumaro.ini");
    EXPECT_TRUE(ini.contains("Data_Filename=sign.img")) << ini.constData();
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SessionFiles, ARefusedFileChangesNothingWhicheverWayItWasOpened)
{
    files({"good.img"});
    writeAll(folder + "bad.img", Refused);
    QTemporaryDir other;
    writeAll(testing_support::folderOf(other) + "bad.img", Refused);
    ASSERT_TRUE(session.open(folder, "good.img", 0));
    session.editor().fillBoard(true);
    session.editor().selection().setShown(true);
    const vexel::ImageRecord before = doc().record();

    const vexel::Status chosen = session.openChosen(testing_support::folderOf(other) + "bad.img");
    ASSERT_FALSE(chosen);
    EXPECT_NE(chosen.error().toStdString().find("line 3"), std::string::npos) << chosen.error().toStdString();
    const vexel::Status listed = session.openListed("bad.img");
    ASSERT_FALSE(listed);
    EXPECT_NE(listed.error().toStdString().find("bad.img"), std::string::npos) << listed.error().toStdString();
    const vexel::Status opened = session.open(folder, "bad.img", 0);
    ASSERT_FALSE(opened);

    EXPECT_EQ(doc().record(), before);
    EXPECT_EQ(doc().folder(), folder);
    EXPECT_EQ(doc().fileName(), "good.img");
    EXPECT_TRUE(doc().modified());
    EXPECT_EQ(session.sendList().files(), QStringList({"bad.img", "good.img"}));

    // Saving now writes the edits to the open image's own file, never over
    // the file that was refused.
    ASSERT_TRUE(session.save());
    EXPECT_EQ(readAll(folder + "bad.img"), Refused);
    EXPECT_EQ(readAll(folder + "good.img"), QByteArray::fromStdString(before.text()));
}

TEST_F(SessionFiles, SaveAsAddsTheExtensionWritesAndLists)
{
    started();
    doc().setUntitledNumber(3);
    session.newImage();
    EXPECT_EQ(doc().fileName(), "Untitled3");
    EXPECT_FALSE(session.savesInPlace());
    doc().setModified(true);
    ASSERT_TRUE(session.saveAs(folder + "Untitled3"));
    EXPECT_EQ(doc().fileName(), "Untitled3.img");
    EXPECT_EQ(readAll(folder + "Untitled3.img").size(), 656);
    EXPECT_FALSE(doc().modified());
    EXPECT_TRUE(session.savesInPlace());
    EXPECT_EQ(session.sendList().files(), QStringList({"Untitled3.img"}));
    EXPECT_EQ(doc().untitledNumber(), 2);

    ASSERT_TRUE(session.saveAs(folder + "dotted."));
    EXPECT_TRUE(QFile::exists(folder + "dotted.")) << "a name ending in a dot is taken as typed";
}

TEST_F(SessionFiles, AFailedSaveKeepsTheNameAndTheEdits)
{
    session.newImage();
    doc().setModified(true);
    const vexel::Status asNew = session.saveAs(folder + "missing/route.img");
    ASSERT_FALSE(asNew);
    EXPECT_EQ(asNew.error().toStdString().rfind("Cannot create file \"" + (folder + "missing/route.img").toStdString() + "\".", 0), 0u)
        << asNew.error().toStdString();
    EXPECT_EQ(doc().fileName(), "Untitled1");
    EXPECT_TRUE(doc().modified());

    doc().setFolder(folder + "missing/");
    doc().setFileName("route.img");
    EXPECT_FALSE(session.save());
    EXPECT_TRUE(doc().modified());
}

namespace {

class SessionStartup : public SessionTest {};

} // namespace

TEST_F(SessionStartup, WithoutALastImageNothingIsOpenedAndNothingWritten)
{
    const std::optional<vexel::Status> last = session.startup();
    EXPECT_FALSE(last.has_value());
    EXPECT_EQ(doc().folder(), session.store().defaultDataFolder());
    EXPECT_TRUE(QDir(doc().folder()).exists()) << "the default data folder is made";
    session.newImage();
    session.finishStartup();
    EXPECT_TRUE(session.settings().startupDone());
    EXPECT_FALSE(QFile::exists(folder + "Lumaro.ini"));
}

TEST_F(SessionStartup, TheLastImageAndTheSendListComeBack)
{
    QTemporaryDir data;
    const QString dataFolder = testing_support::folderOf(data);
    for (const char* name : {"route.img", "a.img", "b.img"})
        writeAll(dataFolder + name, blankImageText(120, 30));
    writeAll(folder + "Lumaro.ini", "[Settings]\nData_Filename_Path=" + dataFolder.toUtf8() +
                                        "\nData_Filename=route.img\nTb_W=120\nTb_H=30\n"
                                        "Left=7\nTop=8\nWidth=900\nHeight=600\n"
                                        "[Files]\nFile_1=b.img\nFile_2=gone.img\nFile_3=a.img\n");
    QRect placed;
    session.setBoundsAccess([] { return QRect(1, 2, 300, 200); }, [&](const QRect& r) { placed = r; });
    const std::optional<vexel::Status> last = session.startup();
    ASSERT_TRUE(last.has_value());
    EXPECT_TRUE(*last);
    EXPECT_EQ(placed, QRect(7, 8, 900, 600));
    EXPECT_EQ(doc().fileName(), "route.img");
    EXPECT_EQ(session.settings().boardWidth(), 120);
    EXPECT_EQ(doc().boardWidth(), 120);
    EXPECT_EQ(session.sendList().entries(), QStringList({"b.img", "a.img"}));
    EXPECT_EQ(session.sendList().files(), QStringList({"route.img"}));
    EXPECT_EQ(session.sendList().stamps().size(), 2u);
    session.finishStartup();

    // From now on the settings file follows: the window's place as it is.
    ASSERT_TRUE(session.saveSettings());
    const QByteArray ini = readAll(folder + "Lumaro.ini");
    EXPECT_TRUE(ini.contains("\nLeft=1\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("[Files]\nFile_1=b.img\nFile_2=a.img\n")) << ini.constData();
}

TEST_F(SessionStartup, ALastImageThatNoLongerLoadsIsReported)
{
    writeAll(folder + "Lumaro.ini", "[Settings]\nData_Filename=bad.img\n");
    const QString data = session.store().defaultDataFolder();
    QDir().mkpath(data);
    writeAll(data + "bad.img", "zz\r\n");
    const std::optional<vexel::Status> last = session.startup();
    ASSERT_TRUE(last.has_value());
    EXPECT_FALSE(*last);
    EXPECT_NE(last->error().toStdString().find("bad.img"), std::string::npos) << last->error().toStdString();
}
