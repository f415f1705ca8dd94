#include "LetteringTestSupport.h"

#include "app/TextPanel.h"
#include "lettering/FontList.h"
#include "lettering/TextLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

struct Ghost {
    FrameRect target;
    LedBitmap bitmap;
    QString missing;
    int count = 0;
};

class TextPanelTest : public ::testing::Test {
protected:
    TextPanelTest()
        : fonts(std::make_shared<FontList>(lettering_test::projectFonts())), panel(fonts)
    {
        QObject::connect(&panel, &TextPanel::ghostChanged,
                         [this](const FrameRect& t, const LedBitmap& b, const QString& m) {
                             ghost.target = t;
                             ghost.bitmap = b;
                             ghost.missing = m;
                             ++ghost.count;
                         });
        panel.setTargets(FrameRect{8, 0, 96, 24}, std::nullopt);
    }

    // Typed as the operator's input method delivers it (QTest types ASCII only).
    void type(const QString& text) { panel.textEdit->insertPlainText(text); }

    // What the layout alone makes of a text in the panel's current block.
    LedBitmap expected(const QString& text, int w, int h)
    {
        const TextStyle style = panel.blocks().front().style;
        auto font = fonts->open(style.font, style.height, style.bold);
        return font ? TextLayout::render(text, **font, style, w, h).bitmap : LedBitmap();
    }

    std::shared_ptr<FontList> fonts;
    TextPanel panel;
    Ghost ghost;
};

TEST_F(TextPanelTest, EveryEditRedrawsTheGhost)
{
    EXPECT_EQ(panel.fontBox->currentData().toString(), QStringLiteral("Vexel LED"));
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 11);
    EXPECT_TRUE(panel.boldBox->isEnabled()); // Vexel LED has a bold face at 11 rows
    type(QStringLiteral("12"));
    EXPECT_EQ(ghost.target, (FrameRect{8, 0, 96, 24}));
    EXPECT_EQ(ghost.bitmap, expected(QStringLiteral("12"), 96, 24));
    EXPECT_GT(ghost.bitmap.litCount(), 0);

    const int before = ghost.count;
    panel.letterSpacingBox->setValue(2);
    panel.hAlignBox->setCurrentIndex(0);
    panel.heightBox->setCurrentIndex(panel.heightBox->findData(7));
    EXPECT_EQ(ghost.count, before + 3);
    const TextStyle& style = panel.blocks().front().style;
    EXPECT_EQ(style.letterSpacing, 2);
    EXPECT_EQ(style.hAlign, HAlign::Left);
    EXPECT_EQ(style.height, 7);
    EXPECT_EQ(ghost.bitmap, expected(QStringLiteral("12"), 96, 24));
    EXPECT_FALSE(panel.boldBox->isEnabled()); // nor at 7
}

TEST_F(TextPanelTest, SelectionTargetIsClippedToTheFrame)
{
    auto* model = qobject_cast<QStandardItemModel*>(panel.targetBox->model());
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(model->item(1)->isEnabled());

    panel.setTargets(FrameRect{8, 0, 96, 24}, FrameRect{0, 4, 40, 40});
    EXPECT_TRUE(model->item(1)->isEnabled());
    EXPECT_EQ(panel.target(), (FrameRect{8, 4, 32, 20}));
    EXPECT_EQ(ghost.target, (FrameRect{8, 4, 32, 20}));
    EXPECT_EQ(ghost.bitmap.width(), 32);

    panel.targetBox->setCurrentIndex(0);
    EXPECT_EQ(ghost.target, (FrameRect{8, 0, 96, 24}));
    // A selection outside the frame is no target.
    panel.setTargets(FrameRect{8, 0, 96, 24}, FrameRect{200, 0, 10, 10});
    EXPECT_FALSE(model->item(1)->isEnabled());
    EXPECT_EQ(panel.target(), (FrameRect{8, 0, 96, 24}));

    // A frame header may say 65535 x 65535: only the board's LEDs are drawn.
    panel.setTargets(FrameRect{400, 0, 0xFFFF, 0xFFFF}, std::nullopt);
    EXPECT_EQ(panel.target(), (FrameRect{400, 0, 88, 101}));
    EXPECT_EQ(ghost.bitmap.width(), 88);
    panel.setTargets(FrameRect{600, 0, 10, 10}, std::nullopt);
    EXPECT_EQ(panel.target().w, 0);
    EXPECT_TRUE(ghost.bitmap.empty());
}

TEST_F(TextPanelTest, PlaceCancelAndEscape)
{
    type(QStringLiteral("7"));
    std::vector<std::tuple<FrameRect, LedBitmap, bool>> placed;
    int cancelled = 0;
    QObject::connect(&panel, &TextPanel::placeRequested, [&](const FrameRect& t, const LedBitmap& b, bool clear) {
        placed.emplace_back(t, b, clear);
    });
    QObject::connect(&panel, &TextPanel::cancelled, [&] { ++cancelled; });

    panel.show();
    panel.clearTargetBox->setChecked(true);
    QTest::mouseClick(panel.placeButton, Qt::LeftButton);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(std::get<0>(placed[0]), (FrameRect{8, 0, 96, 24}));
    EXPECT_EQ(std::get<1>(placed[0]), ghost.bitmap);
    EXPECT_TRUE(std::get<2>(placed[0]));
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(cancelled, 0);

    panel.show();
    QTest::keyClick(panel.textEdit, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(panel.isVisible());

    panel.show();
    QTest::mouseClick(panel.cancelButton, Qt::LeftButton);
    panel.show();
    panel.close();
    EXPECT_EQ(cancelled, 3);
    EXPECT_EQ(placed.size(), 1u);
}

TEST_F(TextPanelTest, FitSetsHeightAndSpacingAndSaysSo)
{
    // The panel lists enlarged heights, so they take part: 11 doubled is
    // taller than the drawn 16, and its condensed face comes before 16.
    type(QStringLiteral("12 AIRPORT"));
    QTest::mouseClick(panel.fitButton, Qt::LeftButton);
    EXPECT_EQ(panel.fitLabel->text(), QStringLiteral("Fitted at 22 px condensed, spacing 0."));
    EXPECT_EQ(panel.heightBox->currentText(), QStringLiteral("22 (11 x 2) condensed"));
    EXPECT_EQ(panel.fitStepLabel->text(), QStringLiteral("Fitting step: condensed 22 (11 x 2)"));
    EXPECT_FALSE(panel.ghost().overflow);

    panel.textEdit->setPlainText(QStringLiteral("12"));
    panel.fit();
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 22);
    EXPECT_EQ(panel.heightBox->currentText(), QStringLiteral("22 (11 x 2)"));
    EXPECT_FALSE(panel.blocks().front().style.condensed);

    panel.textEdit->setPlainText(QString(60, QLatin1Char('W')));
    panel.fit();
    EXPECT_TRUE(panel.fitLabel->text().startsWith(QStringLiteral("Nothing fits 96 x 24")));
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 22); // left as it was
    EXPECT_EQ(panel.statusLabel->text(), QStringLiteral("The text reaches past the target."));
}

TEST_F(TextPanelTest, FitBreaksALineTooLongAsRouteSetsDo)
{
    struct Case {
        FrameRect target;
        const char* text;
        const char* fitted;
        const char* step;
    };
    const Case cases[] = {
        // A small sign: the route number after its hyphen.
        {FrameRect{0, 0, 18, 16}, "B44-SBS", "B44-\nSBS", "hyphen break"},
        {FrameRect{0, 0, 48, 16}, "Vakeee Vakeee", "Vakeee\nVakeee", "two lines"},
    };
    for (const Case& c : cases) {
        panel.setTargets(c.target, std::nullopt);
        panel.textEdit->setPlainText(QString::fromUtf8(c.text));
        panel.fit();
        EXPECT_EQ(panel.blocks().front().text, QString::fromUtf8(c.fitted)) << c.text;
        EXPECT_EQ(panel.textEdit->toPlainText(), QString::fromUtf8(c.fitted)) << c.text;
        EXPECT_EQ(panel.fitStepLabel->text(), QStringLiteral("Fitting step: ") + QLatin1String(c.step)) << c.text;
        EXPECT_TRUE(panel.fitLabel->text().startsWith(QStringLiteral("Fitted on two lines"))) << c.text;
        EXPECT_FALSE(panel.ghost().overflow) << c.text;
        EXPECT_GT(panel.ghost().bitmap.litCount(), 0);
    }
}

TEST_F(TextPanelTest, MissingCharactersAreListed)
{
    type(QStringLiteral("A\u00E9\u00E9"));
    EXPECT_EQ(ghost.missing, QStringLiteral("\u00E9"));
    EXPECT_FALSE(panel.missingLabel->isHidden());
    EXPECT_TRUE(panel.missingLabel->text().contains(QStringLiteral("\u00E9 (U+00E9)")));
    // Assistive tools read the list, the fit result and the status as shown.
    EXPECT_EQ(panel.missingLabel->accessibleDescription(), panel.missingLabel->text());
    panel.fit();
    EXPECT_FALSE(panel.fitLabel->text().isEmpty());
    EXPECT_EQ(panel.fitLabel->accessibleDescription(), panel.fitLabel->text());
    panel.textEdit->setPlainText(QString(60, QLatin1Char('W')));
    EXPECT_EQ(panel.statusLabel->accessibleDescription(), QStringLiteral("The text reaches past the target."));
    panel.textEdit->setPlainText(QStringLiteral("A"));
    EXPECT_TRUE(panel.missingLabel->isHidden());
    EXPECT_EQ(panel.missingLabel->accessibleDescription(), QString());
    EXPECT_EQ(panel.statusLabel->accessibleDescription(), QString());
}

TEST_F(TextPanelTest, PresetsFillPartsThatStayEditable)
{
    type(QStringLiteral("12 აეროპორტი"));
    QTest::mouseClick(panel.numberButton, Qt::LeftButton);
    ASSERT_EQ(panel.blocks().size(), 2u);
    EXPECT_EQ(panel.layout(), TextPanel::Layout::NumberAndDestination);
    EXPECT_EQ(panel.partBox->count(), 2);
    EXPECT_EQ(panel.textEdit->toPlainText(), QStringLiteral("12"));
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 22);
    EXPECT_TRUE(panel.fitLabel->text().startsWith(QStringLiteral("Number at 22 px")));
    EXPECT_FALSE(panel.ghost().overflow);

    panel.partBox->setCurrentIndex(1);
    EXPECT_EQ(panel.textEdit->toPlainText(), QStringLiteral("აეროპორტი"));
    panel.vAlignBox->setCurrentIndex(0);
    EXPECT_EQ(panel.blocks()[1].style.vAlign, VAlign::Top);
    EXPECT_EQ(panel.blocks()[0].style.vAlign, VAlign::Middle);
    panel.textEdit->setPlainText(QStringLiteral("ვაკე"));
    EXPECT_EQ(panel.blocks()[1].text, QStringLiteral("ვაკე"));
    EXPECT_EQ(panel.blocks()[0].text, QStringLiteral("12"));

    QTest::mouseClick(panel.twoLinesButton, Qt::LeftButton);
    ASSERT_EQ(panel.blocks().size(), 2u);
    // Each line's area as tall as its face, the spare rows between them.
    EXPECT_EQ(panel.blocks()[0].area, (FrameRect{0, 0, 96, 11}));
    EXPECT_EQ(panel.blocks()[1].area, (FrameRect{0, 13, 96, 11}));
    EXPECT_EQ(panel.blocks()[0].text, QStringLiteral("12"));
    EXPECT_EQ(panel.blocks()[1].text, QStringLiteral("ვაკე"));

    // A new target lays the preset out again for its size.
    panel.setTargets(FrameRect{0, 0, 96, 16}, std::nullopt);
    EXPECT_EQ(panel.blocks()[1].area, (FrameRect{0, 9, 96, 7}));
    EXPECT_EQ(panel.blocks()[1].style.height, 7);

    QTest::mouseClick(panel.oneTextButton, Qt::LeftButton);
    ASSERT_EQ(panel.blocks().size(), 1u);
    EXPECT_EQ(panel.textEdit->toPlainText(), QStringLiteral("12\nვაკე"));
    EXPECT_TRUE(panel.partBox->isHidden());

    // A preset with no text leaves one empty text over the whole target.
    panel.textEdit->clear();
    QTest::mouseClick(panel.twoLinesButton, Qt::LeftButton);
    ASSERT_EQ(panel.blocks().size(), 1u);
    EXPECT_EQ(panel.blocks()[0].area, (FrameRect{0, 0, 96, 16}));
    EXPECT_EQ(panel.fitLabel->text(), QStringLiteral("There is no text to lay out."));
}

TEST_F(TextPanelTest, ControlsWithoutCaptionHaveNames)
{
    for (QWidget* w : std::initializer_list<QWidget*>{panel.textEdit, panel.partBox, panel.fontBox, panel.heightBox,
                                                       panel.letterSpacingBox, panel.lineSpacingBox, panel.hAlignBox,
                                                       panel.vAlignBox, panel.targetBox, panel.fitLabel,
                                                       panel.missingLabel, panel.statusLabel})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
}

// A font whose sizes all lie above the height in use starts at its smallest.
TEST(TextPanelFonts, SwitchingFontKeepsTheNearestHeight)
{
    QTemporaryDir dir;
    lettering_test::writeFile(dir.filePath(QStringLiteral("big.vfont")), lettering_test::squareFont("Big", 13));
    FontList::Places places = lettering_test::projectFonts();
    places.ledFontFolders << dir.path();
    TextPanel panel(std::make_shared<FontList>(places));
    panel.setTargets(FrameRect{0, 0, 96, 24}, std::nullopt);
    EXPECT_EQ(panel.fontBox->currentData().toString(), QStringLiteral("Vexel LED"));
    panel.heightBox->setCurrentIndex(panel.heightBox->findData(7));
    panel.fontBox->setCurrentIndex(panel.fontBox->findData(QStringLiteral("Big")));
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 13);
    EXPECT_EQ(panel.blocks().front().style.height, 13);
    // 39 (13 x 3) is no height of Vexel LED: the tallest below it.
    panel.heightBox->setCurrentIndex(panel.heightBox->findData(39));
    panel.fontBox->setCurrentIndex(panel.fontBox->findData(QStringLiteral("Vexel LED")));
    EXPECT_EQ(panel.heightBox->currentText(), QStringLiteral("36 (9 x 4)"));
    panel.heightBox->setCurrentIndex(panel.heightBox->findData(32));
    EXPECT_EQ(panel.heightBox->currentText(), QStringLiteral("32 (16 x 2)"));
    panel.fontBox->setCurrentIndex(panel.fontBox->findData(QStringLiteral("Big")));
    EXPECT_EQ(panel.heightBox->currentData().toInt(), 26);
}

TEST(TextPanelWithoutFonts, StaysUsable)
{
    QTemporaryDir empty;
    FontList::Places places;
    places.ledFontFolders << empty.path();
    places.systemFonts = false;
    TextPanel panel(std::make_shared<FontList>(places));
    panel.setTargets(FrameRect{0, 0, 96, 24}, std::nullopt);
    QTest::keyClicks(panel.textEdit, QStringLiteral("12"));
    panel.fit();
    QTest::mouseClick(panel.numberButton, Qt::LeftButton);
    EXPECT_EQ(panel.ghost().bitmap.litCount(), 0);
    EXPECT_EQ(panel.statusLabel->text(), QStringLiteral("No font is installed."));
}

} // namespace

// The fitting step shows after Fit, a condensed face is a height of its own
// in the list, and the route number can take a font of its own.
TEST(TextPanelFaces, FitStepCondensedHeightsAndNumberFont)
{
    FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_TEST_DATA "/fonts");
    places.systemFonts = false;
    TextPanel panel(std::make_shared<FontList>(places));
    panel.setTargets(FrameRect{0, 0, 40, 8}, std::nullopt);
    ASSERT_EQ(panel.fontBox->currentData().toString(), QStringLiteral("Test LED"));

    panel.textEdit->setPlainText(QStringLiteral("AAAAAAAA")); // 39 LEDs in the regular face
    panel.fit();
    EXPECT_EQ(panel.fitStepLabel->text(), QStringLiteral("Fitting step: fits"));
    panel.textEdit->setPlainText(QStringLiteral("AAAAAAAAA")); // 44 regular, 35 condensed
    panel.fit();
    EXPECT_EQ(panel.fitStepLabel->text(), QStringLiteral("Fitting step: condensed 6"));
    EXPECT_TRUE(panel.blocks()[0].style.condensed);
    EXPECT_EQ(panel.heightBox->currentText(), QStringLiteral("6 condensed"));
    EXPECT_FALSE(panel.ghost().overflow);
    panel.heightBox->setCurrentIndex(panel.heightBox->findText(QStringLiteral("6")));
    EXPECT_FALSE(panel.blocks()[0].style.condensed);
    EXPECT_TRUE(panel.ghost().overflow);

    panel.textEdit->setPlainText(QStringLiteral("12 A\u10D1"));
    QTest::mouseClick(panel.numberButton, Qt::LeftButton);
    EXPECT_FALSE(panel.numberFontBox->isHidden());
    ASSERT_EQ(panel.blocks().size(), 2u);
    EXPECT_EQ(panel.blocks()[0].style.font, QStringLiteral("Test LED")); // as today until one is chosen
    panel.numberFontBox->setCurrentIndex(panel.numberFontBox->findData(QStringLiteral("Test LED Numbers")));
    ASSERT_EQ(panel.blocks().size(), 2u);
    EXPECT_EQ(panel.blocks()[0].style.font, QStringLiteral("Test LED Numbers"));
    EXPECT_EQ(panel.blocks()[0].style.height, 8);
    EXPECT_EQ(panel.blocks()[1].style.font, QStringLiteral("Test LED"));
    EXPECT_EQ(panel.fitStepLabel->text(), QStringLiteral("Fitting step: fits"));
    EXPECT_TRUE(panel.ghost().error.empty());
    panel.numberFontBox->setCurrentIndex(0);
    EXPECT_EQ(panel.blocks()[0].style.font, QStringLiteral("Test LED"));

    QTest::mouseClick(panel.oneTextButton, Qt::LeftButton);
    EXPECT_TRUE(panel.numberFontBox->isHidden());
}
