// File > Import routes from GTFS…: the set and the feed chosen through the
// prompter, the difference shown with a tick per destination, and what is
// ticked applied; a removal left unticked keeps its destination.
#include "support/EditorFixture.h"
#include "support/Spoken.h"

#include "app/GtfsImportDialog.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/OpenSets.h"
#include "store/ServerAddress.h"
#include "sets/SignProfile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace vexel;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class GtfsImportDialogTest : public frames_fixture::EditorTest {
protected:
    GtfsImportDialogTest()
    {
        setPath = folder + "fleet.vxset";
        auto made = DestinationSet::create(setPath, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        for (const char* code : {"1", "9"}) {
            Destination d;
            // 9 was lettered by hand for route 2, which the feed runs under
            // another code: the import proposes to remove it (a route the
            // feed does not run would be left alone).
            d.code = QLatin1String(code);
            d.route = QLatin1String(code[0] == '9' ? "2" : code);
            d.destinationKa = u(code[0] == '1' ? "ვაკე" : "ზოო");
            d.destinationEn = QStringLiteral("Old name");
            EXPECT_TRUE((*made)->addDestination(d).ok());
        }
        EXPECT_TRUE(gtfs_test::writeFolder(folder + "feed", gtfs_test::smallFeed()));
    }

    template <class T>
    T* child(GtfsImportDialog* dialog, const char* name)
    {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTreeWidgetItem* rowOf(QTreeWidget* tree, const char* kind, const char* code)
    {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            if (item->text(0) == QLatin1String(kind) && item->text(1) == QLatin1String(code))
                return item;
        }
        ADD_FAILURE() << kind << " " << code;
        return nullptr;
    }

    QString setPath;
};

TEST_F(GtfsImportDialogTest, UntickedRemovalIsKeptWhenTheRestIsApplied)
{
    QAction* menu = form.findChild<QAction*>(QStringLiteral("ImportGtfs1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), u("Import routes from GTFS…"));
    menu->trigger();
    auto* dialog = form.findChild<GtfsImportDialog*>();
    ASSERT_NE(dialog, nullptr);

    // The set, then the feed folder chosen by its routes.txt.
    prompter.fileAnswers = {setPath, folder + "feed/routes.txt"};
    child<QPushButton>(dialog, "Set_Button")->click();
    child<QPushButton>(dialog, "Feed_Button")->click();
    EXPECT_EQ(QDir::cleanPath(child<QLineEdit>(dialog, "Feed_Edit")->text()), QDir::cleanPath(folder + "feed"));
    auto* apply = child<QPushButton>(dialog, "Apply_Button");
    EXPECT_FALSE(apply->isEnabled());
    child<QPushButton>(dialog, "Compare_Button")->click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join(' ').toStdString();

    // Every route type at first: buses and the metro line, both offered as
    // filters once the feed is read.
    auto* types = child<QComboBox>(dialog, "Type_Box");
    EXPECT_EQ(types->count(), 3);
    types->setCurrentIndex(types->findData(3));
    // Assistive tools hear both filters by name, the choice as the description.
    EXPECT_EQ(testing_support::spoken(types, QAccessible::Name), QStringLiteral("Route type"));
    EXPECT_EQ(testing_support::spoken(types, QAccessible::Description), types->currentText());
    EXPECT_EQ(testing_support::spoken(child<QComboBox>(dialog, "Agency_Box"), QAccessible::Name), QStringLiteral("Agency"));
    child<QPushButton>(dialog, "Compare_Button")->click();

    auto* tree = child<QTreeWidget>(dialog, "Changes");
    ASSERT_EQ(tree->topLevelItemCount(), 4); // 1R and 2 added, 1 changed, 9 removed
    QTreeWidgetItem* changed = rowOf(tree, "Changed", "1");
    ASSERT_NE(changed, nullptr);
    // Old and new side by side, a line per text.
    ASSERT_GE(changed->childCount(), 1);
    EXPECT_EQ(changed->child(0)->text(2), QStringLiteral("destination_en"));
    EXPECT_EQ(changed->child(0)->text(3), QStringLiteral("Old name"));
    EXPECT_EQ(changed->child(0)->text(4), QStringLiteral("Vake"));
    EXPECT_TRUE(rowOf(tree, "Added", "2")->text(4).contains(QStringLiteral("Gldani (Latin suggested)")));
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "Report")->toPlainText().contains(QStringLiteral("2: no English name")));

    QTreeWidgetItem* removed = rowOf(tree, "Removed", "9");
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->checkState(0), Qt::Checked);
    removed->setCheckState(0, Qt::Unchecked);
    ASSERT_TRUE(apply->isEnabled());
    apply->click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join(' ').toStdString();
    EXPECT_EQ(prompter.texts(QStringLiteral("inform")),
              QStringList{QStringLiteral("Imported into the set: 2 added, 1 changed, 0 removed.")});

    auto opened = DestinationSet::open(setPath, DestinationSet::Access::Read);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    const Expected<std::vector<Destination>> now = (*opened)->destinations();
    QStringList codes;
    for (const Destination& d : *now)
        codes << d.code;
    EXPECT_EQ(codes, (QStringList{QStringLiteral("1"), QStringLiteral("9"), QStringLiteral("1R"), QStringLiteral("2")}));
    EXPECT_EQ(now->front().destinationEn, QStringLiteral("Vake"));
    // What is left is the kept removal, unticked; nothing more to apply.
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(apply->isEnabled());
}

// Apply ticked greyed out says why, beside it and in its tooltip; a text
// changed by hand and in the feed since the last import waits for its own tick.
TEST_F(GtfsImportDialogTest, ApplySaysWhyItIsGreyedAndAHeldTextHasItsOwnTick)
{
    {
        QLockFile other(DestinationSet::lockPath(setPath));
        ASSERT_TRUE(other.tryLock(0));
        GtfsImportDialog dialog(prompter, &form);
        dialog.setSetPath(setPath);
        dialog.setFeedPath(folder + "feed");
        auto* apply = child<QPushButton>(&dialog, "Apply_Button");
        EXPECT_EQ(child<QLabel>(&dialog, "Apply_Reason")->text(), QStringLiteral("Show the difference first."));
        ASSERT_TRUE(dialog.showDifference().ok());
        EXPECT_FALSE(apply->isEnabled());
        const QString why = child<QLabel>(&dialog, "Apply_Reason")->text();
        EXPECT_TRUE(why.startsWith(QStringLiteral("The set is open read-only: it is open for editing in "))) << why.toStdString();
        EXPECT_EQ(apply->toolTip(), why);
    }

    GtfsImportDialog dialog(prompter, &form);
    dialog.setSetPath(setPath);
    dialog.setFeedPath(folder + "feed");
    ASSERT_TRUE(dialog.showDifference().ok());
    ASSERT_TRUE(dialog.applyTicked().ok());
    {
        // By hand in the Destinations window, which shares the dialog's set.
        auto set = OpenSets::open(setPath, DestinationSet::Access::Edit);
        ASSERT_TRUE(set.ok()) << set.error().toStdString();
        Destination fixed = (*set)->destinations()->front();
        fixed.destinationEn = QStringLiteral("Vake Park");
        ASSERT_TRUE((*set)->updateDestination(fixed.code, fixed).ok());
    }
    gtfs_test::Files changed = gtfs_test::smallFeed();
    changed["translations.txt"].replace("en,Vake,", "en,Vake Centre,");
    ASSERT_TRUE(gtfs_test::writeFolder(folder + "feed2", changed));
    dialog.setFeedPath(folder + "feed2");
    ASSERT_TRUE(dialog.showDifference().ok());

    auto* tree = child<QTreeWidget>(&dialog, "Changes");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* row = rowOf(tree, "Changed", "1");
    ASSERT_NE(row, nullptr);
    // The row has nothing of its own to tick: no box.
    EXPECT_FALSE(row->data(0, Qt::CheckStateRole).isValid());
    EXPECT_FALSE(row->flags() & Qt::ItemIsUserCheckable);
    ASSERT_EQ(row->childCount(), 1);
    QTreeWidgetItem* held = row->child(0);
    EXPECT_EQ(held->text(0), QStringLiteral("Held"));
    EXPECT_EQ(held->checkState(0), Qt::Unchecked);
    EXPECT_EQ(held->text(3), QStringLiteral("Vake Park"));
    EXPECT_EQ(held->text(4), QStringLiteral("Vake Centre"));
    EXPECT_TRUE(held->text(5).startsWith(QStringLiteral("changed by hand since the import of ")));
    auto* apply = child<QPushButton>(&dialog, "Apply_Button");
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(apply->toolTip(), QStringLiteral("Nothing is ticked."));
    held->setCheckState(0, Qt::Checked);
    ASSERT_TRUE(apply->isEnabled());
    EXPECT_TRUE(child<QLabel>(&dialog, "Apply_Reason")->text().isEmpty());
    apply->click();
    auto set = DestinationSet::open(setPath, DestinationSet::Access::Read);
    ASSERT_TRUE(set.ok());
    EXPECT_EQ((*set)->destinations()->front().destinationEn, QStringLiteral("Vake Centre"));
}

// A server set's address: opened as typed or chosen, shown without its
// password once the typing is done.
struct SetAddressCase {
    const char* typed;
    bool password; // shown then as the address's display form
};

class GtfsSetAddress : public GtfsImportDialogTest, public ::testing::WithParamInterface<SetAddressCase> {};

TEST_P(GtfsSetAddress, FieldLeavesThePasswordOutAndTheSetIsOpenedAsTyped)
{
    const SetAddressCase c = GetParam();
    const QString typed = QString::fromUtf8(c.typed).replace("FOLDER/", folder);
    const QString shown =
        c.password ? ServerAddress::parse(typed, ServerAddress::SetName::Required)->shown() : typed;
    EXPECT_FALSE(shown.contains(QStringLiteral("hunter2")));
    GtfsImportDialog dialog(prompter, &form);
    auto* edit = child<QLineEdit>(&dialog, "Set_Edit");
    QTest::keyClicks(edit, typed);
    EXPECT_EQ(edit->text(), typed); // while typing, the field shows the keys
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), shown);
    EXPECT_EQ(dialog.setAddress(), typed);
    // Enter again, or an edit that leaves the shown form as it was, keeps it.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.setAddress(), typed);

    // Chosen through the prompter: the same.
    dialog.setSetPath(QString());
    prompter.fileAnswers = {typed};
    child<QPushButton>(&dialog, "Set_Button")->click();
    EXPECT_EQ(edit->text(), shown);
    EXPECT_EQ(dialog.setAddress(), typed);

    // A change typed into the shown form is the address from then on.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(dialog.setAddress(), shown + "x");

    // No server listens there: the failure names the address without the password.
    dialog.setSetPath(typed);
    child<QLineEdit>(&dialog, "Feed_Edit")->setText(folder + "feed");
    prompter.clear();
    EXPECT_FALSE(dialog.showDifference().ok());
    for (const QString& error : prompter.texts(QStringLiteral("error")))
        EXPECT_FALSE(error.contains(QStringLiteral("hunter2"))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, GtfsSetAddress,
    ::testing::Values(SetAddressCase{"postgresql://ana:hunter2@/fleet?host=FOLDER/none&set=city", true},
                      SetAddressCase{"postgresql://ana@/fleet?host=FOLDER/none&password=hunter2&set=city", true},
                      SetAddressCase{"postgresql://ana@/fleet?host=FOLDER/none&set=city", false},
                      SetAddressCase{"FOLDER/missing.vxset", false}));

} // namespace
