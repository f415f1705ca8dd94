#include "session/ShownWords.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Puts every text it is asked for in brackets, so a test sees which words
// went through the translation and which were kept as stored.
class Brackets : public QTranslator {
public:
    Brackets() { QCoreApplication::installTranslator(this); }
    ~Brackets() override { QCoreApplication::removeTranslator(this); }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
    }
    bool isEmpty() const override { return false; }
};

} // namespace

TEST(ShownWords, WithoutATranslationTheStoredWordsStand)
{
    for (const char* status : {"fits", "14 rows (7 x 2)", "condensed 7, abbreviated", "by hand, stale",
                               "does not fit: the word \"Sabúrtalo\" needs 130 columns, the sign has 112"})
        EXPECT_EQ(vexel::shownFitStatus(QString::fromUtf8(status)), QString::fromUtf8(status));
    for (const char* what : {"added", "by an import: destination_en Vake \u2192 Vake Park", "restored from version 3"})
        EXPECT_EQ(vexel::shownHistoryWhat(QString::fromUtf8(what)), QString::fromUtf8(what));
}

TEST(ShownWords, OurWordsAreTranslatedAndTheUsersTextsKept)
{
    const Brackets brackets;
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("fits")), QStringLiteral("[fits]"));
    // The numbers go into the translated words; a scale's note is kept.
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("14 rows (7 x 2)")), QStringLiteral("[14 rows] (7 x 2)"));
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("condensed 7, abbreviated")),
              QStringLiteral("[condensed 7], [abbreviated]"));
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("3 pages")), QStringLiteral("[3 pages]"));
    // The reason after the colon names the user's text: it stays as it is.
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("by hand, does not fit: the image is 96 x 24, the sign 160 x 19")),
              QStringLiteral("[by hand], [does not fit]: the image is 96 x 24, the sign 160 x 19"));
    // A word we do not know is shown as stored rather than guessed at.
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("kerned")), QStringLiteral("kerned"));

    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("added by an import")), QStringLiteral("[added by an import]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QString::fromUtf8("by an import: destination_ka ვაკე \u2192 ვაკის პარკი")),
              QString::fromUtf8("[by an import: destination_ka ვაკე \u2192 ვაკის პარკი]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("restored from version 12: note a \u2192 b")),
              QString::fromUtf8("[restored from version 12]: note a \u2192 b"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("image on front stored by hand")),
              QStringLiteral("[image on front stored by hand]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("in use")), QStringLiteral("in use"));
}
