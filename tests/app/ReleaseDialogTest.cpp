// The Release dialog takes a folder not made yet, and Browse... starts
// where a folder exists; the proof sheets' format it proposes is kept
// unless chosen otherwise.
#include "app/ReleaseDialog.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ReleaseDialog, TakesAFolderNotMadeYetAndBrowsesFromOneThatExists)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    ScriptedPrompter prompter;
    const QString proposed = folder + QStringLiteral("depot/new release");
    ReleaseDialog dialog({proposed, QString(), QDate()}, prompter);
    QPushButton* ok = dialog.Buttons->button(QDialogButtonBox::Ok);
    EXPECT_EQ(ok->text(), QStringLiteral("Release"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.form().folder, proposed);
    EXPECT_FALSE(dialog.form().validFrom.isValid()) << "valid at once";
    dialog.Date_Valid_From->setDate(QDate(2027, 6, 1));
    EXPECT_EQ(dialog.form().validFrom, QDate(2027, 6, 1));

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

TEST(ReleaseDialog, ProposesTheSheetsFormatGivenAndHandsBackTheOneChosen)
{
    ScriptedPrompter prompter;
    for (const vexel::SheetFormat format : {vexel::SheetFormat::Png, vexel::SheetFormat::Pdf}) {
        ReleaseDialog dialog({QStringLiteral("/tmp/release"), QString(), QDate(), format}, prompter);
        EXPECT_EQ(dialog.form().sheets, format);
        const vexel::SheetFormat other = format == vexel::SheetFormat::Png ? vexel::SheetFormat::Pdf
                                                                           : vexel::SheetFormat::Png;
        dialog.Box_Sheets->setCurrentIndex(dialog.Box_Sheets->findData(static_cast<int>(other)));
        EXPECT_EQ(dialog.form().sheets, other);
    }
}
