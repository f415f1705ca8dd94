// Pictures imported into the frame and files dropped on the window.
#include "support/EditorFixture.h"

#include "app/ImportCommands.h"
#include "app/ImportPanel.h"
#include "depot/DepotTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

class ImportTest : public EditorTest {
protected:
    // White on its left half, black on the right.
    QString halfWhite()
    {
        QImage image(96, 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter(&image).fillRect(0, 0, 48, 24, Qt::white);
        const QString p = folder + "half.png";
        image.save(p);
        return p;
    }

    void drop(const QString& file, QPoint at)
    {
        ASSERT_TRUE(form.acceptDrops());
        // As a drag arrives: the window takes it on entering, then the drop.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        const QPoint where = ui.Image1->mapTo(&form, at);
        QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &event);
    }
};

TEST_F(ImportTest, APictureBecomesTheFramesLedsAsOneStep)
{
    openBlank();
    const std::string before = session.document().record().text();
    prompter.fileAnswers = {halfWhite()};
    ui.Import1->trigger();
    ASSERT_NE(form.findChild<ImportPanel*>(), nullptr);
    EXPECT_TRUE(ui.Image1->hasGhost());
    EXPECT_EQ(session.document().record().text(), before);
    form.findChild<ImportPanel*>()->place();
    EXPECT_FALSE(ui.Image1->hasGhost());
    EXPECT_TRUE(litOnBoard(10, 10));
    EXPECT_FALSE(litOnBoard(80, 10));
    EXPECT_EQ(session.document().record().line(2), std::string(12, 'F') + std::string(12, '0'));
    EXPECT_EQ(ui.Undo1->text(), "Undo import");
    ui.Undo1->trigger();
    EXPECT_EQ(session.document().record().text(), before);
}

TEST_F(ImportTest, APictureThatCannotBeReadIsNamedAndChangesNothing)
{
    openBlank();
    const std::string before = session.document().record().text();
    testing_support::writeAll(folder + "broken.png", "\x89PNG\r\n\x1a\n cut short");
    prompter.fileAnswers = {folder + "broken.png"};
    ui.Import1->trigger();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error").front().contains("broken.png")) << prompter.texts("error").front().toStdString();
    EXPECT_FALSE(ui.Image1->hasGhost());
    EXPECT_EQ(session.document().record().text(), before);
}

TEST_F(ImportTest, AnAnimationBecomesNewFramesWithTheirDurations)
{
    openBlank();
    testing_support::writeAll(folder + "three.gif", depot_test::threeFrameGif());
    form.findChild<ImportCommands*>()->Import_Picture(folder + "three.gif");
    ASSERT_NE(form.findChild<ImportPanel*>(), nullptr);
    form.findChild<ImportPanel*>()->importFrames();
    ASSERT_EQ(session.document().frameCount(), 4);
    const vexel::ImageRecord& r = session.document().record();
    EXPECT_EQ(r.line(r.headerLine(1)).substr(4, 4), "0064");
    EXPECT_EQ(r.line(r.headerLine(2)).substr(4, 4), "00FA");
    EXPECT_EQ(r.line(r.headerLine(3)).substr(4, 4), "01F4");
    EXPECT_EQ(ui.ListBox3->count(), 4);
    ui.Undo1->trigger();
    EXPECT_EQ(session.document().frameCount(), 1) << "the frames are one step";
}

TEST_F(ImportTest, DroppedFilesOpenOrImportByWhatTheyAre)
{
    openBlank();
    testing_support::writeAll(folder + "other.img", imageText({FrameText{header(0, 700, {0, 0, 96, 24}), 'F'}}));
    press(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    prompter.confirmAnswers = {false};
    drop(folder + "other.img", QPoint(5, 5));
    EXPECT_EQ(prompter.texts("confirm"), QStringList({"Image changed. Do you want to save?"}));
    EXPECT_EQ(session.document().fileName(), "other.img");
    EXPECT_TRUE(litOnBoard(50, 20));

    drop(halfWhite(), QPoint(5, 5));
    ASSERT_NE(form.findChild<ImportPanel*>(), nullptr);
    EXPECT_TRUE(form.findChild<ImportPanel*>()->isVisible());
}

} // namespace
