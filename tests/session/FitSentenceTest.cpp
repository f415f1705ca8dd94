// The Text panel's line on a fit, said from the fit's facts: in English it
// reads word for word as the message the command line prints, in Georgian
// it is a whole Georgian sentence with the same numbers.
#include "app/InterfaceTranslation.h"
#include "lettering/LetteringTestSupport.h"
#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"
#include "session/ShownWords.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vexel;

namespace {

// Square glyphs at 7, 11 and 16 rows (and their enlargements): a W at
// height h is h wide and moves the pen h + 1.
class FitSentences : public ::testing::Test {
protected:
    FitSentences()
    {
        for (int h : {7, 11, 16}) {
            // With a hyphen, h / 2 wide, for a break after it.
            std::string hyphen = "glyph U+002D\n";
            for (int y = 0; y < h; ++y)
                hyphen += std::string(static_cast<std::size_t>(h / 2), y == h / 2 ? '#' : '.') + "\n";
            lettering_test::writeFile(dir.filePath(QStringLiteral("sq%1.vfont").arg(h)),
                                      lettering_test::squareFont("Square", h) + hyphen);
        }
        FontList::Places places;
        places.ledFontFolders << dir.path();
        places.systemFonts = false;
        fonts = std::make_unique<FontList>(places);
        style.font = QStringLiteral("Square");
    }

    PresetLayout numberAnd(const char* number, const char* destination, int width = 96)
    {
        return SignPresets::numberAndDestination(QString::fromUtf8(number), QString::fromUtf8(destination), *fonts,
                                                 style, width, 24);
    }
    PresetLayout lines(const char* upper, const char* lower)
    {
        return SignPresets::twoLines(QString::fromUtf8(upper), QString::fromUtf8(lower), *fonts, style, 96, 25);
    }
    FitResult fitOne(const char* text, int width = 96, int height = 24)
    {
        return SignPresets::fitOneText(QString::fromUtf8(text), *fonts, style, width, height).fit;
    }

    QTemporaryDir dir;
    std::unique_ptr<FontList> fonts;
    TextStyle style;
};

} // namespace

TEST_F(FitSentences, WithoutATranslationTheyReadAsTheCommandLinesMessage)
{
    const PresetLayout layouts[] = {
        numberAnd("W", "WW"),                    // one line
        numberAnd("WW", "WWW WWW"),              // two lines
        numberAnd("WWWWWWWWWWWWWW", "WW"),       // the number does not fit
        numberAnd("WW", "WWWWWWWWWWWWWWWWWWWWW"), // the destination does not fit
        numberAnd("WW", ""),                     // the number alone
        numberAnd("", "WWW"),                    // the destination alone
        numberAnd("", "WWWWWWWWWWWWWWWWWWWWW"),
        numberAnd("WW", "W\u00E9W"), // a character the font lacks
        numberAnd("", ""),
        lines("WW", "WWWWWWWWW"),
        lines("WW", "WWWWWWWWWWWWWWWWWWWWW"),
        lines("WWWWWWWWWWWWWWWWWWWWW", "WW"),
        lines("WWWWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWWWWWWW"),
        lines("WW", ""),
        lines("", "WWWWWWWWWWWWWWWWWWWWW"),
        lines("", ""),
    };
    for (const PresetLayout& layout : layouts)
        EXPECT_EQ(shownPresetMessage(layout).toStdString(), layout.message);

    style.letterSpacing = 1;
    const PresetLayout spaced = numberAnd("WW", "WWW WWW");
    EXPECT_EQ(shownPresetMessage(spaced).toStdString(), spaced.message);

    EXPECT_EQ(fitOne("WWWWWWWW-WWWWWWWW").step, TextFit::HyphenStep);
    for (const FitResult& fit : {fitOne("WW"), fitOne("WWWWWWWW WWWWWWWW"), fitOne("WWWWWWWW-WWWWWWWW"), fitOne("  "),
                                 fitOne("W\nW\nW\nW"), fitOne("W\u00E9W", 40, 11)})
        EXPECT_EQ(shownFitMessage(fit).toStdString(), fit.message);

    style.font = QStringLiteral("Gone");
    const FitResult gone = fitOne("W");
    EXPECT_EQ(gone.whyNot.kind, NoFitReason::Kind::FontNotInstalled);
    EXPECT_EQ(shownFitMessage(gone).toStdString(), gone.message);
}

TEST_F(FitSentences, InGeorgianTheSameFactsInAGeorgianSentence)
{
    const InterfaceTranslation georgian(AppSettings::InterfaceLanguage::Georgian);
    ASSERT_TRUE(georgian.georgian()) << "the Georgian translations are not built in";

    EXPECT_EQ(shownPresetMessage(numberAnd("W", "WW")).toStdString(),
              std::string("ნომერი: 22 px; დანიშნულება ერთ სტრიქონად: 22 px, ასოთაშორისი მანძილი 0."));
    EXPECT_EQ(shownPresetMessage(numberAnd("WW", "WWW WWW")).toStdString(),
              std::string("ნომერი: 22 px; დანიშნულება ორ სტრიქონად: 11 px, ასოთაშორისი მანძილი 0."));
    // The reason keeps its numbers: the area and what the smallest try took.
    const PresetLayout tooLong = numberAnd("WWWWWWWWWWWWWW", "WW");
    ASSERT_EQ(tooLong.parts.size(), 1u);
    EXPECT_EQ(tooLong.parts[0].fit.whyNot.kind, NoFitReason::Kind::TooLarge);
    EXPECT_EQ(shownPresetMessage(tooLong).toStdString(),
              std::string("მარშრუტის ნომერი არ ეტევა: 48 x 24 არეში არაფერი ეტევა: 7 px სიმაღლით და -1 "
                          "ასოთაშორისი მანძილით ტექსტს სჭირდება 98 x 7."));
    EXPECT_EQ(shownPresetMessage(lines("WW", "WWWWWWWWWWWWWWWWWWWWW")).toStdString(),
              std::string("ზედა სტრიქონი: 11 px, ასოთაშორისი მანძილი 0; ქვედა სტრიქონი არ ეტევა."));
    EXPECT_EQ(shownFitMessage(fitOne("WWWWWWWW WWWWWWWW")).toStdString(),
              std::string("მორგებულია ორ სტრიქონად: 11 px, ასოთაშორისი მანძილი 0."));
    EXPECT_EQ(shownPresetMessage(numberAnd("", "")).toStdString(), std::string("განსათავსებელი ტექსტი არ არის."));
}
