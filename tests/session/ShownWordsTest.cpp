#include "session/ShownWords.h"

#include "support/BracketTranslator.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using Brackets = testing_support::BracketTranslator;

TEST(ShownWords, WithoutATranslationTheStoredWordsStand)
{
    for (const char* status : {"fits", "14 rows (7 x 2)", "condensed 7, abbreviated", "by hand, stale",
                               "does not fit: the word \"Sabúrtalo\" needs 130 columns, the sign has 112"})
        EXPECT_EQ(vexel::shownFitStatus(QString::fromUtf8(status)), QString::fromUtf8(status));
    for (const char* what : {"added", "by an import: destination_en Vake \u2192 Vake Park", "restored from version 3",
                             "route \"12\" \u2192 \"12a\"; out of use", "in use; Latin accepted"})
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
    // The reason after the colon is one of the lettering's: worded again
    // with its numbers.
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("by hand, does not fit: the image is 96 x 24, the sign 160 x 19")),
              QStringLiteral("[by hand], [does not fit]: [the image is 96 x 24, the sign 160 x 19]"));
    // A word we do not know is shown as stored rather than guessed at.
    EXPECT_EQ(vexel::shownFitStatus(QStringLiteral("kerned")), QStringLiteral("kerned"));

    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("added by an import")), QStringLiteral("[added by an import]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QString::fromUtf8("by an import: destination_ka ვაკე \u2192 ვაკის პარკი")),
              QString::fromUtf8("[by an import: destination_ka ვაკე \u2192 ვაკის პარკი]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("restored from version 12: note a \u2192 b")),
              QString::fromUtf8("[restored from version 12]: note a \u2192 b"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("image on front stored by hand")),
              QStringLiteral("[image on front stored by hand]"));
    // A change's ticks are ours; its fields and their values as typed stay.
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("in use")), QStringLiteral("[in use]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QString::fromUtf8("route \"12\" \u2192 \"12a\"; out of use")),
              QString::fromUtf8("route \"12\" \u2192 \"12a\"; [out of use]"));
    EXPECT_EQ(vexel::shownHistoryWhat(
                  QString::fromUtf8("by an import: destination_en \"Vake\" \u2192 \"VAKE\"; Latin suggested")),
              QString::fromUtf8("[by an import: destination_en \"Vake\" \u2192 \"VAKE\"; [Latin suggested]]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("in an offline copy: Latin accepted; in use")),
              QStringLiteral("[in an offline copy: [Latin accepted]; [in use]]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("restored from version 4: note \"in use\" \u2192 \"\"; out of use")),
              QString::fromUtf8("[restored from version 4]: note \"in use\" \u2192 \"\"; [out of use]"));
    // A word we do not know is shown as stored rather than guessed at.
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("kept aside")), QStringLiteral("kept aside"));
}

// Why a destination does not fit, as the lettering of a set stores it:
// where in the image (a frame, a page) around what the fitting said.
const char* const StoredReasons[] = {
    "does not fit: frame 2: the font lacks \"\u10F6\" (U+10F6)",
    "does not fit: frame 1: page 3: the text reaches past the frame window",
    "does not fit: frame 1: not even in pages: More than 4 pages.",
    "does not fit: frame 1: Number at 16 px condensed, the destination does not fit: Nothing fits 80 x 16: at 7 px "
    "with spacing 1 the text takes 130 x 7.",
    "does not fit: frame 2: 5 pages, at most 3",
    "does not fit: the layout of sign \"front\": frames[0].font: the font \"Ser%2if\" is not installed",
    "does not fit: the destination is empty in both scripts",
    "by hand, does not fit: the image is 96 x 24, the sign 160 x 19",
    "by hand, does not fit: the image is 96 x 24, the sign 160 x 19, stale",
    "does not fit: the word \"Sab\u00fartalo\" needs 130 columns, the sign has 112",
};

TEST(ShownWords, WithoutATranslationAReasonIsTheStoredOneByteForByte)
{
    for (const char* status : StoredReasons)
        EXPECT_EQ(vexel::shownFitStatus(QString::fromUtf8(status)), QString::fromUtf8(status));
    for (const char* what : {"added in an offline copy", "in an offline copy: note a \u2192 b", "image on front removed"})
        EXPECT_EQ(vexel::shownHistoryWhat(QString::fromUtf8(what)), QString::fromUtf8(what));
}

TEST(ShownWords, AReasonIsWordedFromItsFactsAtEveryLevel)
{
    const Brackets brackets;
    const auto shown = [](const char* status) { return vexel::shownFitStatus(QString::fromUtf8(status)).toStdString(); };
    // Each level is a sentence of its own, the level below put in whole.
    EXPECT_EQ(shown(StoredReasons[0]), "[does not fit]: [frame 2: [the font lacks \"\u10F6\" (U+10F6)]]");
    EXPECT_EQ(shown(StoredReasons[1]), "[does not fit]: [frame 1: [page 3: [the text reaches past the frame window]]]");
    EXPECT_EQ(shown(StoredReasons[2]), "[does not fit]: [frame 1: [not even in pages: [More than 4 pages.]]]");
    // The number's size is worded too, the destination's reason keeps its
    // six numbers in their places.
    EXPECT_EQ(shown(StoredReasons[3]),
              "[does not fit]: [frame 1: [Number at [16 px condensed], the destination does not fit: [Nothing fits 80 x "
              "16: at 7 px with spacing 1 the text takes 130 x 7.]]]");
    EXPECT_EQ(shown(StoredReasons[4]), "[does not fit]: [frame 2: [5 pages, at most 3]]");
    // A font's name is put in as it is, never read for markers itself.
    EXPECT_EQ(shown(StoredReasons[5]),
              "[does not fit]: [the layout of sign \"front\": [frames[0].font: the font \"Ser%2if\" is not installed]]");
    // A stale image made by hand says so after its reason.
    EXPECT_EQ(shown(StoredReasons[8]), "[by hand], [does not fit]: [the image is 96 x 24, the sign 160 x 19], [stale]");
    // A reason the lettering does not give is kept rather than guessed at.
    EXPECT_EQ(shown(StoredReasons[9]), "[does not fit]: the word \"Sab\u00fartalo\" needs 130 columns, the sign has 112");
    EXPECT_EQ(vexel::shownFitReason(QStringLiteral("frame 1: kerned")).toStdString(), "[frame 1: kerned]");

    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("in an offline copy: note a \u2192 b")),
              QString::fromUtf8("[in an offline copy: note a \u2192 b]"));
    EXPECT_EQ(vexel::shownHistoryWhat(QStringLiteral("image on front removed")), QStringLiteral("[image on front removed]"));
}
