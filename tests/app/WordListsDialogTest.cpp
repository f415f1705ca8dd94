// The word lists of a set edited from the Destinations window: rows added,
// edited and removed in each table and saved as one change, a broken CSV
// refused without touching the tables, and a read-only set shown, not changed.
#include "app/DestinationsWindow.h"
#include "app/Prompter.h"
#include "app/WordListsDialog.h"
#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "session/DestinationsSession.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

class WordListsDialogTest : public ::testing::Test {
protected:
    WordListsDialogTest() : path(dir.filePath(QStringLiteral("bus.vxset")))
    {
        auto made = DestinationSet::create(path, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made) << made.error().toStdString();
        SetWords words;
        words.abbreviations = {{QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Av")}};
        words.viaSeparators = {QStringLiteral(" via "), QStringLiteral("/")};
        words.upperWords.clear();
        EXPECT_TRUE((*made)->setWords(words));
    }

    WordListsDialog* open(DestinationsWindow& window)
    {
        if (!window.openSet(path))
            return nullptr;
        window.Word_Lists_Click();
        return window.findChild<WordListsDialog*>(QStringLiteral("Word_Lists_Dialog"));
    }

    static void type(QTableWidget* t, int row, int column, const QString& text)
    {
        t->item(row, column)->setText(text);
    }

    SetWords stored() const
    {
        auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
        return opened ? *(*opened)->words() : SetWords{};
    }

    QTemporaryDir dir;
    QString path;
    ScriptedPrompter prompter;
};

TEST_F(WordListsDialogTest, EditsEachListAndSavesThemAsOneChange)
{
    DestinationsWindow window(prompter);
    WordListsDialog* d = open(window);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    QTableWidget* latin = d->table(WordListsDialog::LatinList);
    QTableWidget* separators = d->table(WordListsDialog::SeparatorsList);
    ASSERT_EQ(latin->rowCount(), 1);
    EXPECT_EQ(separators->item(0, 0)->text(), QStringLiteral("via"));

    d->Add_Click(WordListsDialog::GeorgianList);
    type(d->table(WordListsDialog::GeorgianList), 0, 0, QString::fromUtf8("გამზირი"));
    type(d->table(WordListsDialog::GeorgianList), 0, 1, QString::fromUtf8("გამზ."));
    d->Add_Click(WordListsDialog::CapitalsList);
    type(d->table(WordListsDialog::CapitalsList), 0, 0, QStringLiteral(" SBS "));
    d->Add_Click(WordListsDialog::CapitalsList); // left empty: not a word
    d->Add_Click(WordListsDialog::SeparatorsList);
    type(separators, 2, 0, QStringLiteral("VIA"));
    latin->setCurrentCell(0, 0);
    d->Remove_Click(WordListsDialog::LatinList);
    EXPECT_EQ(latin->rowCount(), 0);

    ASSERT_TRUE(d->Save_Click()) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    SetWords expected;
    expected.abbreviations = {{QStringLiteral("ka"), QString::fromUtf8("გამზირი"), QString::fromUtf8("გამზ.")}};
    expected.upperWords = {QStringLiteral("SBS")};
    // An unedited separator is kept as stored; a new one stands between words.
    expected.viaSeparators = {QStringLiteral(" via "), QStringLiteral("/"), QStringLiteral(" VIA ")};
    EXPECT_EQ(stored(), expected);

    // Half an abbreviation is refused with the reason; nothing is written.
    d->Add_Click(WordListsDialog::LatinList);
    type(latin, 0, 0, QStringLiteral("Street"));
    EXPECT_FALSE(d->Save_Click());
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("error")).front().startsWith(QStringLiteral("The word lists are not saved")));
    EXPECT_EQ(stored(), expected);
}

TEST_F(WordListsDialogTest, ImportsAndExportsTheAbbreviationsThroughThePrompter)
{
    DestinationsWindow window(prompter);
    WordListsDialog* d = open(window);
    ASSERT_NE(d, nullptr);
    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    const QString good = dir.filePath(QStringLiteral("good.csv"));
    for (const auto& [file, bytes] : {std::pair{bad, QByteArray("script,word,short\nxx,Road,Rd\n")},
                                      {good, QByteArray("script,word,short\nen,Road,Rd\nen,Street,St\n")}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    prompter.fileAnswers = {bad, good};
    d->Import_Click();
    EXPECT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_EQ(d->table(WordListsDialog::LatinList)->rowCount(), 1);
    d->Import_Click();
    ASSERT_EQ(d->table(WordListsDialog::LatinList)->rowCount(), 2);
    EXPECT_EQ(stored().abbreviations.size(), 1u) << "an import waits for Save";

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    prompter.fileAnswers = {out};
    d->Export_Click();
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("script,word,short\nen,Road,Rd\nen,Street,St\n"));
}

// The via words sit beside the separators: shown as stored, saved trimmed
// with the lists, a blank one refused with nothing written.
TEST_F(WordListsDialogTest, TheViaWordsAreEditedBesideTheSeparators)
{
    DestinationsWindow window(prompter);
    WordListsDialog* d = open(window);
    ASSERT_NE(d, nullptr);
    QLineEdit* latin = d->viaWordEdit(false);
    QLineEdit* georgian = d->viaWordEdit(true);
    EXPECT_EQ(latin->text(), QStringLiteral("via"));
    EXPECT_EQ(georgian->text(), QStringLiteral("გავლით:"));
    EXPECT_FALSE(latin->accessibleName().isEmpty());
    latin->setText(QStringLiteral(" through "));
    ASSERT_TRUE(d->Save_Click()) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    EXPECT_EQ(stored().viaWordLatin, QStringLiteral("through"));
    EXPECT_EQ(stored().viaWordGeorgian, QStringLiteral("გავლით:"));
    EXPECT_EQ(stored().viaSeparators, (QStringList{QStringLiteral(" via "), QStringLiteral("/")}));

    georgian->setText(QStringLiteral("  "));
    EXPECT_FALSE(d->Save_Click());
    EXPECT_EQ(stored().viaWordGeorgian, QStringLiteral("გავლით:"));
}

TEST_F(WordListsDialogTest, AReadOnlySetShowsItsListsWithTheReason)
{
    // Another program's lock, as this process cannot stand for another.
    QLockFile other(DestinationSet::lockPath(path));
    ASSERT_TRUE(other.tryLock(0));
    DestinationsWindow second(prompter);
    WordListsDialog* d = open(second);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(second.session()->readOnly());
    auto* banner = d->findChild<QLabel*>(QStringLiteral("Read_Only_Label"));
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(banner->text().startsWith(QStringLiteral("Read-only: ")));
    EXPECT_EQ(d->table(WordListsDialog::LatinList)->rowCount(), 1);
    for (const char* name : {"Import_Button", "Save_Button"})
        EXPECT_FALSE(d->findChild<QPushButton*>(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Export_Button"))->isEnabled());
    d->Add_Click(WordListsDialog::LatinList);
    EXPECT_EQ(d->table(WordListsDialog::LatinList)->rowCount(), 1);
    EXPECT_FALSE(d->Save_Click());
    // Controls without a caption are named for assistive tools.
    for (QPushButton* b : d->findChildren<QPushButton*>())
        EXPECT_FALSE(b->accessibleName().isEmpty()) << b->text().toStdString();
}

} // namespace

namespace {

// Where the lists' names need more than the dialog's first width (a larger
// font here, a longer language elsewhere) the dialog grows to its tabs, so
// none is hidden behind scroll buttons.
TEST_F(WordListsDialogTest, EveryListsTabStaysInSightWhereItsNameNeedsMoreWidth)
{
    const QFont before = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    {
        DestinationsWindow window(prompter);
        WordListsDialog* dialog = open(window);
        ASSERT_NE(dialog, nullptr);
        dialog->show();
        QApplication::processEvents();
        const QTabBar* bar = dialog->findChild<QTabWidget*>(QStringLiteral("Lists_Tabs"))->tabBar();
        ASSERT_EQ(bar->count(), 6);
        for (int i = 0; i < bar->count(); ++i) {
            EXPECT_GE(bar->tabRect(i).left(), 0) << i;
            EXPECT_LE(bar->tabRect(i).right(), bar->width() - 1) << bar->tabText(i).toStdString();
        }
        EXPECT_GT(dialog->width(), 560);
    }
    QApplication::setFont(before);
}

} // namespace
