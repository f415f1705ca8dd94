#include "lettering/Abbreviation.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const std::vector<Abbreviation> List = {
    {QStringLiteral("Avenue"), QStringLiteral("Av")},
    {QStringLiteral("Street"), QStringLiteral("St")},
    {QStringLiteral("Station"), QStringLiteral("Sta")},
    {QStringLiteral("Facility"), QStringLiteral("Fac")},
    {QStringLiteral("Postal Facility"), QStringLiteral("PO")},
    {QStringLiteral("გამზირი"), QStringLiteral("გამზ.")},
};

} // namespace

TEST(Abbreviation, WholeWordsLongestFirst)
{
    struct Case {
        const char* text;
        std::vector<const char*> shortened; // after the first, the first two ... matches
    };
    const Case cases[] = {
        {"Rustaveli Avenue", {"Rustaveli Av"}},
        {"RUSTAVELI AVENUE", {"RUSTAVELI AV"}}, // capitals stay capitals
        {"rustaveli avenue", {"rustaveli Av"}}, // any other case: the short form as written
        {"Avenues Avenue-Street", {"Avenues Av-Street", "Avenues Av-St"}}, // a word inside another is not one
        {"Avenue Station Street", {"Avenue Sta Street", "Av Sta Street", "Av Sta St"}},
        {"Main Postal Facility", {"Main PO"}},      // the longer of two at one place
        {"Facility, Postal", {"Fac, Postal"}},
        {"რუსთაველის გამზირი", {"რუსთაველის გამზ."}},
        {"StreetStation", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const std::vector<Abbreviation::Match> found = Abbreviation::find(text, List);
        ASSERT_EQ(found.size(), c.shortened.size()) << c.text;
        for (std::size_t n = 1; n <= found.size(); ++n) {
            const std::vector<Abbreviation::Match> first(found.begin(), found.begin() + static_cast<long>(n));
            EXPECT_EQ(Abbreviation::apply(text, first), QString::fromUtf8(c.shortened[n - 1])) << c.text << " " << n;
        }
    }
    EXPECT_TRUE(Abbreviation::find(QStringLiteral("Avenue"), {}).empty());
    EXPECT_TRUE(Abbreviation::find(QStringLiteral("Avenue"), {{QStringLiteral(" "), QStringLiteral("x")}}).empty());
}
