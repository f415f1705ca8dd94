#include "depot/Romanization.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

struct Case {
    const char* georgian;
    const char* latin;
};

// The 33 letters one by one, each a word of its own and so capitalised.
TEST(Romanization, EveryLetter)
{
    const Case letters[] = {
        {"ა", "A"}, {"ბ", "B"}, {"გ", "G"}, {"დ", "D"}, {"ე", "E"}, {"ვ", "V"}, {"ზ", "Z"},
        {"თ", "T"}, {"ი", "I"}, {"კ", "K"}, {"ლ", "L"}, {"მ", "M"}, {"ნ", "N"}, {"ო", "O"},
        {"პ", "P"}, {"ჟ", "Zh"}, {"რ", "R"}, {"ს", "S"}, {"ტ", "T"}, {"უ", "U"}, {"ფ", "P"},
        {"ქ", "K"}, {"ღ", "Gh"}, {"ყ", "Q"}, {"შ", "Sh"}, {"ჩ", "Ch"}, {"ც", "Ts"}, {"ძ", "Dz"},
        {"წ", "Ts"}, {"ჭ", "Ch"}, {"ხ", "Kh"}, {"ჯ", "J"}, {"ჰ", "H"},
    };
    static_assert(sizeof(letters) / sizeof(letters[0]) == 33);
    for (const Case& c : letters)
        EXPECT_EQ(suggestLatin(QString::fromUtf8(c.georgian)), QString::fromUtf8(c.latin)) << c.georgian;
}

// Ejectives lose their marks, digraphs stay lower case inside a word, and
// every word is capitalised, after a hyphen as after a space.
TEST(Romanization, DestinationNames)
{
    const Case names[] = {
        {"წყნეთი", "Tsqneti"},
        {"ჭავჭავაძე", "Chavchavadze"},
        {"აეროპორტი", "Aeroporti"},
        {"ვაჟა-ფშაველა", "Vazha-Pshavela"},
        {"ღრმაღელე", "Ghrmaghele"},
        {"დიდი დიღომი", "Didi Dighomi"},
        {"ძველი თბილისი", "Dzveli Tbilisi"},
        {"ხიდი", "Khidi"},
        // Digraphs inside a word stay lower case.
        {"მეტეხი", "Metekhi"},
        {"ოცდახუთი", "Otsdakhuti"},
        {"ნაძალადევი", "Nadzaladevi"},
        {"ყაზბეგის-2 პროსპექტი", "Qazbegis-2 Prospekti"},
    };
    for (const Case& c : names)
        EXPECT_EQ(suggestLatin(QString::fromUtf8(c.georgian)), QString::fromUtf8(c.latin)) << c.georgian;
}

TEST(Romanization, LatinDigitsAndPunctuationPassThrough)
{
    EXPECT_EQ(suggestLatin(QString::fromUtf8("12 აეროპორტი")), QStringLiteral("12 Aeroporti"));
    EXPECT_EQ(suggestLatin(QString::fromUtf8("Metekhi \"ხიდი\" (M1)")), QStringLiteral("Metekhi \"Khidi\" (M1)"));
    EXPECT_EQ(suggestLatin(QStringLiteral("iPhone city")), QStringLiteral("iPhone city"));
    EXPECT_EQ(suggestLatin(QString()), QString());
    EXPECT_TRUE(hasGeorgian(QString::fromUtf8("12 დიდუბე")));
    EXPECT_FALSE(hasGeorgian(QStringLiteral("12 Didube")));
}

} // namespace
