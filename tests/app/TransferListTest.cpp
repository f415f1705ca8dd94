// The send panel's two lists in the window: what the buttons and labels
// show, the selection after a move, counting, and opening a listed file.
// The lists' own rules are tested on the layer.
#include "app/Graphic_Editor.h"
#include "app/SendPanel.h"
#include "session/EditorSession.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::writeAll;

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList names;
    for (int r = 0; r < list->count(); ++r)
        names << list->item(r)->text();
    return names;
}

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->isSelected())
            rows << r;
    return rows;
}

void select(QListWidget* list, const QList<int>& rows)
{
    list->clearSelection();
    for (int r : rows)
        list->item(r)->setSelected(true);
    if (!rows.isEmpty())
        list->setCurrentRow(rows.last(), QItemSelectionModel::NoUpdate);
}

class TransferList : public ::testing::Test {
protected:
    TransferList() : folder(testing_support::folderOf(dir)), form(EditorContext{folder, &prompter})
    {
        ui.Timer1->stop();
        session.document().setFolder(folder);
        session.settings().setStartupDone(true);
    }

    void files(const QStringList& names)
    {
        for (const QString& name : names)
            writeAll(folder + name, testing_support::blankImageText(96, 24));
    }
    void sendList(const QStringList& names)
    {
        session.sendList().setEntries(names);
    }
    bool sendButtonsEnabled() const
    {
        return ui.Button6->isEnabled() && ui.Button4->isEnabled() && ui.Button5->isEnabled() &&
               ui.Button10->isEnabled();
    }
    bool sendButtonsDisabled() const
    {
        return !ui.Button6->isEnabled() && !ui.Button4->isEnabled() && !ui.Button5->isEnabled() &&
               !ui.Button10->isEnabled();
    }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    TForm1 form;
    vexel::EditorSession& session = form.session(); // what the window works on
    testing_support::MainControls ui{form};
    SendPanel& panel = *form.findChild<SendPanel*>();
};

} // namespace

TEST_F(TransferList, ListFilesSplitsTheFolderBetweenTheListsAndSetsTheButtons)
{
    files({"a.img", "b.img", "c.img", "notes.txt"});
    sendList({"c.img", "gone.img", "a.img"});
    session.listFiles();
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"c.img", "a.img"}));
    EXPECT_EQ(itemsOf(ui.ListBox1), QStringList({"b.img"}));
    EXPECT_EQ(ui.Label4->text(), "Files: 2");
    EXPECT_TRUE(ui.Button3->isEnabled());
    EXPECT_TRUE(sendButtonsEnabled());
    EXPECT_TRUE(prompter.asked.empty());

    QFile::remove(folder + "a.img");
    QFile::remove(folder + "c.img");
    ui.Button3->click(); // b.img goes over, the file list empties
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"b.img"}));
    EXPECT_FALSE(ui.Button3->isEnabled());
    EXPECT_TRUE(sendButtonsEnabled());

    QFile::remove(folder + "b.img");
    session.listFiles();
    EXPECT_TRUE(itemsOf(ui.ListBox2).isEmpty());
    EXPECT_EQ(ui.Label4->text(), "Files: 0");
    EXPECT_TRUE(sendButtonsDisabled());
}

struct MoveCase {
    const char* name;
    bool toSendList;       // ">>" or "<<"
    QList<int> selected;   // in the list the button takes from
    QStringList fileList;  // afterwards
    QStringList sendList;  // afterwards
    QList<int> reselected; // in the list the button took from
};

class TransferListMoves : public TransferList, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(TransferListMoves, MoveAndReselect)
{
    const MoveCase& c = GetParam();
    files({"a.img", "b.img", "c.img", "x.img", "y.img", "z.img"});
    sendList({"x.img", "y.img", "z.img"});
    session.listFiles();
    ASSERT_EQ(itemsOf(ui.ListBox1), QStringList({"a.img", "b.img", "c.img"}));
    QListWidget* from = c.toSendList ? ui.ListBox1 : ui.ListBox2;
    select(from, c.selected);
    if (c.toSendList)
        ui.Button3->click();
    else
        ui.Button6->click();
    EXPECT_EQ(itemsOf(ui.ListBox1), c.fileList);
    EXPECT_EQ(itemsOf(ui.ListBox2), c.sendList);
    EXPECT_EQ(selectedRows(from), c.reselected);
    EXPECT_EQ(ui.Label4->text(), QStringLiteral("Files: %1").arg(c.sendList.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferListMoves,
    ::testing::Values(
        MoveCase{"RightSeveralInListOrder", true, {2, 0}, {"b.img"}, {"x.img", "y.img", "z.img", "a.img", "c.img"},
                 {0}},
        MoveCase{"LeftWithNothingSelectedTakesTheLast", false, {}, {"a.img", "b.img", "c.img", "z.img"},
                 {"x.img", "y.img"}, {1}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(TransferList, UpAndDownMoveTheEntryAndKeepItSelected)
{
    files({"a.img", "b.img", "c.img"});
    sendList({"a.img", "b.img", "c.img"});
    session.listFiles();

    select(ui.ListBox2, {0});
    ui.Button4->click(); // Up on the first: nothing
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"a.img", "b.img", "c.img"}));
    EXPECT_EQ(selectedRows(ui.ListBox2), QList<int>({0}));

    select(ui.ListBox2, {2});
    ui.Button5->click(); // Down on the last: nothing
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"a.img", "b.img", "c.img"}));
    EXPECT_EQ(selectedRows(ui.ListBox2), QList<int>({2}));

    ui.Button4->click();
    ui.Button4->click();
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"c.img", "a.img", "b.img"}));
    EXPECT_EQ(selectedRows(ui.ListBox2), QList<int>({0}));

    ui.Button5->click();
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"a.img", "c.img", "b.img"}));
    EXPECT_EQ(selectedRows(ui.ListBox2), QList<int>({1}));

    ui.ListBox2->clearSelection();
    ui.Button4->click();
    ui.Button5->click();
    EXPECT_EQ(itemsOf(ui.ListBox2), QStringList({"a.img", "c.img", "b.img"}));
}

TEST_F(TransferList, DataLengthIsCountedOnlyWhileTheBoxIsTicked)
{
    files({"route.img", "other.img"});
    sendList({"route.img"});
    session.listFiles();
    EXPECT_EQ(ui.Label5->text(), "Data length: ");

    ui.CheckBox1->setChecked(true);
    EXPECT_EQ(ui.Label5->text(), "Data length: 304");
    ui.ListBox1->item(0)->setSelected(true);
    ui.Button3->click();
    EXPECT_EQ(ui.Label5->text(), "Data length: 608");

    // A file that cannot travel leaves the figure as it was.
    writeAll(folder + "other.img", "0001\r\nXYZ\r\n");
    session.listFiles();
    EXPECT_EQ(ui.Label5->text(), "Data length: 608");
    EXPECT_EQ(ui.Label4->text(), "Files: 2");

    ui.CheckBox1->setChecked(false);
    ui.ListBox2->item(1)->setSelected(true);
    ui.Button6->click();
    EXPECT_EQ(ui.Label5->text(), "Data length: 608");
}

TEST_F(TransferList, ClickInAListOpensTheLastSelectedFile)
{
    files({"a.img", "b.img", "c.img"});
    writeAll(folder + "c.img", testing_support::blankImageText(96, 24, 0x0123));
    sendList({"b.img", "c.img"});
    session.listFiles();
    ui.ListBox1->item(0)->setSelected(true);
    session.document().setModified(true);
    session.editor().selection().setShown(true);
    ui.Button9->setEnabled(true);

    select(ui.ListBox2, {0, 1});
    panel.ListBox2Click();
    EXPECT_EQ(prompter.texts("confirm"), QStringList({"Image changed. Do you want to save?"}));
    EXPECT_EQ(session.document().fileName(), "c.img");
    EXPECT_EQ(session.document().record().line(1), "000001230000000000600018");
    EXPECT_TRUE(selectedRows(ui.ListBox1).isEmpty());
    EXPECT_FALSE(session.editor().selection().shown());
    EXPECT_FALSE(ui.Button9->isEnabled());
    EXPECT_TRUE(QFile::exists(folder + "Lumaro.ini"));

    // A click that leaves nothing selected opens nothing.
    ui.ListBox1->clearSelection();
    panel.ListBox1Click();
    EXPECT_EQ(session.document().fileName(), "c.img");
}
