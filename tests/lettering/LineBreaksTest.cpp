#include "lettering/LineBreaks.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

using Pages = std::vector<QStringList>;

// Every character one LED wide, so widths read as character counts.
LineBreaks::Choice inCharacters(const QString& text, int width, int linesPerPage, int maxPages,
                                const std::vector<QString>& keep = {})
{
    const LineBreaks breaks(text, keep);
    return breaks.choose([](const QString& line) { return static_cast<int>(line.size()); }, width, linesPerPage,
                         maxPages, [](const QString&, const QString&) { return true; });
}

// Headsigns as buses carry them, each with the lines and pages a reader
// expects at a line of `width` characters.
TEST(LineBreaks, HeadsignsBreakWhereAReaderExpects)
{
    struct Case {
        const char* text;
        int width;
        int linesPerPage;
        std::vector<QString> keep;
        Pages pages;
    };
    const Case cases[] = {
        // A slash ends a line and stays there.
        {"Sedgwick/Highbridge", 12, 2, {}, {{"Sedgwick/", "Highbridge"}}},
        // A hyphen inside a word likewise; a lone dash never starts a line.
        {"Broadway-168 St", 10, 2, {}, {{"Broadway-", "168 St"}}},
        // The number stays with its street word, though "Midtown 23" fits.
        {"Midtown 23 St", 10, 2, {}, {{"Midtown", "23 St"}}},
        {"Village 3 Av-6 St", 10, 2, {}, {{"Village", "3 Av-6 St"}}},
        // A single letter stays with the word before it.
        {"Stuyvesant Av C", 13, 2, {}, {{"Stuyvesant", "Av C"}}},
        // Most even: not "Jamaica Archer Av" over "Parsons".
        {"Jamaica Archer Av Parsons", 18, 2, {}, {{"Jamaica Archer", "Av Parsons"}}},
        // Pages of one line: the listed name is not split, though a split
        // would be more even.
        {"Sheepshead Bay Knapp St", 14, 1, {"Sheepshead Bay"}, {{"Sheepshead Bay"}, {"Knapp St"}}},
        {"Sheepshead Bay Knapp St", 14, 1, {}, {{"Sheepshead"}, {"Bay Knapp St"}}},
        // No page of one short word left over ("Crosstown").
        {"Yorkville East End Av Crosstown", 22, 1, {}, {{"Yorkville East"}, {"End Av Crosstown"}}},
        // ... and a listed name kept whole, where any fit does.
        {"Yorkville East End Av Crosstown", 22, 1, {"east end"}, {{"Yorkville East End"}, {"Av Crosstown"}}},
        // A page ending at " - " or ", " drops it; a line inside a page keeps it.
        {"Vake - Didube, Station Square", 14, 1, {}, {{"Vake - Didube"}, {"Station Square"}}},
        {"Kings Plaza, Flatbush Av", 12, 2, {}, {{"Kings Plaza,", "Flatbush Av"}}},
    };
    for (const Case& c : cases) {
        const LineBreaks::Choice choice = inCharacters(QString::fromUtf8(c.text), c.width, c.linesPerPage, 9, c.keep);
        ASSERT_TRUE(choice.fits) << c.text;
        EXPECT_EQ(choice.pages, c.pages) << c.text << " at " << c.width;
    }
}

TEST(LineBreaks, PoorBreaksAreTakenOnlyWhereNothingElseFits)
{
    // Fewer pages come first: one page with "Av" alone on its line beats
    // two pages that keep it with "C".
    EXPECT_EQ(inCharacters(QStringLiteral("Stuyvesant Av C"), 13, 2, 9).pages, (Pages{{"Stuyvesant", "Av C"}}));
    EXPECT_EQ(inCharacters(QStringLiteral("Stuyvesant Av C"), 13, 1, 9).pages, (Pages{{"Stuyvesant"}, {"Av C"}}));
    const LineBreaks::Choice apart = inCharacters(QStringLiteral("Midtown 23 St"), 10, 1, 2);
    EXPECT_EQ(apart.pages, (Pages{{"Midtown"}, {"23 St"}}));
    EXPECT_EQ(apart.cost.poor, 0);
    // Where nothing else fits, the poor break is taken and counted.
    const LineBreaks::Choice forced = inCharacters(QStringLiteral("23 St"), 3, 1, 9);
    ASSERT_TRUE(forced.fits);
    EXPECT_EQ(forced.pages, (Pages{{"23"}, {"St"}}));
    EXPECT_GE(forced.cost.poor, 1);
    // A word wider than the line, or more pages than allowed: nothing.
    EXPECT_FALSE(inCharacters(QStringLiteral("Midtown 23 St"), 6, 1, 9).fits);
    EXPECT_FALSE(inCharacters(QStringLiteral("Sheepshead Bay Knapp St"), 14, 1, 1).fits);
    // A break after a slash or hyphen only where no space will do, and said.
    const LineBreaks::Choice space = inCharacters(QStringLiteral("Co-op City Bay Plaza"), 11, 2, 1);
    EXPECT_EQ(space.pages, (Pages{{"Co-op City", "Bay Plaza"}}));
    EXPECT_FALSE(space.hyphen);
    const LineBreaks::Choice slash = inCharacters(QStringLiteral("Sedgwick/Highbridge"), 12, 2, 1);
    EXPECT_EQ(slash.cost.inWord, 1);
    EXPECT_EQ(inCharacters(QStringLiteral("Sedgwick/Highbridge"), 19, 2, 1).pages,
              (Pages{{"Sedgwick/Highbridge"}}));
    EXPECT_TRUE(inCharacters(QStringLiteral("B44-SBS"), 4, 2, 1).hyphen);
}

} // namespace
