// The user guide in its window: Help > User Guide opens the contents, F1 in
// a window with a chapter opens that chapter, and the main window's F1 stays
// the Help window's.
#include "app/GuideWindow.h"
#include "app/Help.h"
#include "session/GuideBook.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
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

class GuideWindowTest : public frames_fixture::EditorTest {};

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
