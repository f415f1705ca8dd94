// The Release and Send dialogs hand back what was typed and chosen; the
// release folder may be one not made yet, and Browse... starts where a
// folder exists.
#include "app/ReleaseDialog.h"
#include "app/SendDialog.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(ReleaseDialog, TakesAFolderNotMadeYetANoteAndADay)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    ScriptedPrompter prompter;
    const QString proposed = folder + QStringLiteral("depot/new release");
    ReleaseDialog dialog({proposed, QString(), QDate()}, prompter);
    QPushButton* ok = dialog.Buttons->button(QDialogButtonBox::Ok);
    EXPECT_EQ(ok->text(), QStringLiteral("Release"));
    EXPECT_TRUE(ok->isEnabled());
    ReleaseForm form = dialog.form();
    EXPECT_EQ(form.folder, proposed);
    EXPECT_TRUE(form.note.isEmpty());
    EXPECT_FALSE(form.validFrom.isValid()) << "valid at once";

    QTest::keyClicks(dialog.Edit_Note, QStringLiteral(" winter timetable "));
    dialog.Date_Valid_From->setDate(QDate(2027, 6, 1));
    form = dialog.form();
    EXPECT_EQ(form.note, QStringLiteral("winter timetable"));
    EXPECT_EQ(form.validFrom, QDate(2027, 6, 1));

    // Browse... starts in the nearest folder there is; a cancel keeps the field.
    dialog.Browse_Click();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(QDir(prompter.asked[0].request.directory), QDir(folder));
    EXPECT_TRUE(prompter.asked[0].request.proposedName.isEmpty());
    EXPECT_EQ(dialog.form().folder, proposed);
    prompter.fileAnswers.push_back(folder + QStringLiteral("chosen"));
    dialog.Browse_Click();
    EXPECT_EQ(dialog.form().folder, folder + QStringLiteral("chosen"));

    dialog.Edit_Folder->setText(QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled()) << "nothing to release into";
}

TEST(SendDialog, OffersTheBusListAndThePortsAndTakesWhatIsTyped)
{
    SendQuestion question;
    question.sign = QStringLiteral("side");
    question.files = 11;
    question.buses = {QStringLiteral("7"), QStringLiteral("1042")};
    question.ports = {QStringLiteral("COM1"), QStringLiteral("ttyUSB0")};
    question.port = QStringLiteral("ttyUSB0");
    SendDialog dialog(question);
    EXPECT_EQ(dialog.Label_What->text(), QStringLiteral("11 released files of the side sign go to:"));
    EXPECT_EQ(dialog.Combo_Bus->count(), 2);
    EXPECT_TRUE(dialog.Combo_Bus->currentText().isEmpty());
    EXPECT_EQ(dialog.Combo_Port->count(), 2);
    EXPECT_EQ(dialog.form().port, QStringLiteral("ttyUSB0"));

    dialog.Combo_Bus->setCurrentIndex(1);
    EXPECT_EQ(dialog.form().bus, QStringLiteral("1042"));
    // A bus not in the list yet is typed, as is a port the list lacks.
    dialog.Combo_Bus->setCurrentText(QStringLiteral(" 1099 "));
    dialog.Combo_Port->setCurrentText(QStringLiteral("/dev/pts/4"));
    const SendForm form = dialog.form();
    EXPECT_EQ(form.bus, QStringLiteral("1099"));
    EXPECT_EQ(form.port, QStringLiteral("/dev/pts/4"));
    EXPECT_EQ(dialog.Combo_Bus->count(), 2);
}
