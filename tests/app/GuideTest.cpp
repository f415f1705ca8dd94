// The user guide in its window: Help > User Guide opens the contents, F1 in
// a window with a chapter opens that chapter, and the main window's F1 stays
// the Help window's.
#include "app/GuideWindow.h"
#include "app/Help.h"
#include "app/InterfaceTranslation.h"
#include "session/GuideBook.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using vexel::GuideBook;

QString sourceGuide() { return GuideBook::places().last(); }

TEST(GuideBook, EveryWindowsChapterIsInTheGuideInBothLanguages)
{
    ASSERT_TRUE(QFileInfo(sourceGuide() + "/index.md").isFile()) << sourceGuide().toStdString();
    for (const QString& window : GuideBook::windowsWithChapters()) {
        const QString chapter = GuideBook::chapterFor(window);
        for (const char* language : {"en", "ka"}) {
            const QUrl page = GuideBook::page(chapter, QLatin1String(language), {sourceGuide()});
            EXPECT_TRUE(page.isLocalFile()) << window.toStdString() << " " << language;
            const QString expected = QLatin1String(language) == QLatin1String("ka") ? "/ka/" : "/guide/";
            EXPECT_TRUE(page.toLocalFile().endsWith(expected + chapter + ".md")) << page.toString().toStdString();
        }
    }
    EXPECT_TRUE(GuideBook::chapterFor("TForm1").isEmpty()) << "the main window's F1 is the Help window's";
}

// The built HTML comes before the Markdown, a Georgian page before an
// English one wherever each lies, and nothing is made up.
TEST(GuideBook, PagesComeFromTheBestPlaceThatHasThem)
{
    QTemporaryDir built;
    QTemporaryDir tree;
    QDir(tree.path()).mkpath("ka");
    for (const QString& path : {built.filePath("09-fleet.html"), tree.path() + "/09-fleet.md",
                                tree.path() + "/ka/09-fleet.md", tree.path() + "/index.md"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QStringList places{built.path(), tree.path()};
    EXPECT_EQ(GuideBook::page("09-fleet", "en", places).toLocalFile(), built.filePath("09-fleet.html"));
    EXPECT_EQ(GuideBook::page("09-fleet", "ka", places).toLocalFile(), tree.path() + "/ka/09-fleet.md");
    EXPECT_EQ(GuideBook::page("index", "ka", places).toLocalFile(), tree.path() + "/index.md");
    EXPECT_TRUE(GuideBook::page("07-releasing", "en", places).isEmpty());
}

// The HTML pages as make guide writes them, from the tree's Markdown, in `out`.
void writeGuidePages(const QString& out)
{
    const QString script = sourceGuide() + "/../../tools/walkthrough/guide-pages.sh";
    QProcess pages;
    pages.setProcessChannelMode(QProcess::MergedChannels);
    pages.start("sh", {script, QDir(sourceGuide() + "/../..").absolutePath(), out});
    ASSERT_TRUE(pages.waitForFinished(60000)) << "guide-pages.sh did not finish";
    ASSERT_EQ(pages.exitCode(), 0) << pages.readAll().toStdString();
}

// What make guide writes is what the guide's window looks for: each Georgian
// page in ka/ under the guide's folder, marked Georgian, its pictures taken
// from the Georgian run of the walkthrough (pictures/ka/SCENARIO) and its
// links reaching pages that are there.
TEST(GuideBook, FindsTheGeorgianPagesWhereMakeGuideWritesThem)
{
    QTemporaryDir out;
    writeGuidePages(out.path());
    const QStringList places{out.path(), sourceGuide()};
    QStringList chapters{"index"};
    for (const QString& window : GuideBook::windowsWithChapters())
        chapters << GuideBook::chapterFor(window);
    for (const QString& chapter : chapters) {
        EXPECT_EQ(GuideBook::page(chapter, "ka", places).toLocalFile(), out.path() + "/ka/" + chapter + ".html");
        EXPECT_EQ(GuideBook::page(chapter, "en", places).toLocalFile(), out.path() + "/" + chapter + ".html");
    }

    const QDir ka(out.path() + "/ka");
    const QStringList pages = ka.entryList({"*.html"});
    EXPECT_EQ(pages.size(), QDir(sourceGuide() + "/ka").entryList({"*.md"}).size());
    const QRegularExpression pictureAt(R"re(<img src="([^"]*)")re");
    const QRegularExpression linkTo(R"re(href="([^"#:]*)[#"])re");
    int pictures = 0;
    for (const QString& page : pages) {
        QFile file(ka.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(R"(<html lang="ka">)")) << page.toStdString();
        for (const auto& m : pictureAt.globalMatch(html)) {
            const QString at = QDir::cleanPath(ka.filePath(m.captured(1)));
            EXPECT_TRUE(at.startsWith(out.path() + "/pictures/ka/")) << page.toStdString() << ": " << at.toStdString();
            ++pictures;
        }
        for (const auto& m : linkTo.globalMatch(html)) {
            if (m.captured(1).isEmpty())
                continue;
            const QString at = QDir::cleanPath(ka.filePath(m.captured(1)));
            EXPECT_TRUE(QFileInfo(at).isFile()) << page.toStdString() << ": " << at.toStdString();
            if (QFileInfo(at).dir() != ka) {
                EXPECT_FALSE(QFileInfo(ka.filePath(QFileInfo(at).fileName())).isFile())
                    << page.toStdString() << " leaves the Georgian pages for " << at.toStdString();
            }
        }
    }
    EXPECT_GT(pictures, 0);
}

class GuideWindowTest : public frames_fixture::EditorTest {};

// With the Georgian interface Help > User Guide and F1 open the Georgian
// page; with the windows in English, the English one.
TEST_F(GuideWindowTest, TheGuidesLanguageIsTheWindows)
{
    QTemporaryDir out;
    writeGuidePages(out.path());
    GuideWindow window(nullptr);
    {
        const vexel::InterfaceTranslation georgian(vexel::AppSettings::InterfaceLanguage::Georgian);
        ASSERT_TRUE(georgian.georgian());
        EXPECT_EQ(GuideBook::interfaceLanguage(), "ka");
        window.showChapter("09-fleet", {out.path()});
        EXPECT_EQ(window.shownPage().toLocalFile(), out.path() + "/ka/09-fleet.html");
    }
    EXPECT_EQ(GuideBook::interfaceLanguage(), "en");
    window.showChapter("09-fleet", {out.path()});
    EXPECT_EQ(window.shownPage().toLocalFile(), out.path() + "/09-fleet.html");
}

TEST_F(GuideWindowTest, HelpMenuOpensTheContentsAndF1OpensTheWindowsChapter)
{
    openBlank();
    testing_support::controlNamed<QAction>(form, "User_Guide1")->trigger();
    auto* guide = form.findChild<GuideWindow*>("Guide_Window");
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->shownPage().fileName().startsWith("index.")) << guide->shownPage().toString().toStdString();
    guide->hide();

    testing_support::controlNamed<QAction>(form, "Fleet1")->trigger();
    auto* fleet = form.findChild<QWidget*>("Fleet_Window");
    ASSERT_NE(fleet, nullptr);
    QTest::keyClick(fleet, Qt::Key_F1);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->shownPage().fileName().startsWith("09-fleet.")) << guide->shownPage().toString().toStdString();
    guide->hide();

    // The main window's F1 is a shortcut, taken only in the active window.
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_FALSE(guide->isVisible());
    EXPECT_TRUE(testing_support::controlNamed<TForm4>(form, "Form4")->isVisible());
}

// A guide that is nowhere says how to get it instead of showing an empty page.
TEST_F(GuideWindowTest, AMissingGuideSaysWhereItComesFrom)
{
    GuideWindow window(nullptr);
    QTemporaryDir nowhere;
    window.showChapter("index", {nowhere.path()});
    EXPECT_TRUE(window.shownPage().isEmpty());
    auto* missing = window.findChild<QLabel*>("Guide_Missing_Label");
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->isVisible());
    EXPECT_TRUE(missing->text().contains("make guide"));
}

} // namespace
