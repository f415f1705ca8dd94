#include "feeds/DestinationDiff.h"
#include "feeds/GtfsImport.h"
#include "feeds/GtfsTestFeed.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

Destination dest(const char* code, const char* ka, const char* en, const char* viaKa = "", const char* viaEn = "")
{
    Destination d;
    d.code = u(code);
    d.route = d.code;
    d.destinationKa = u(ka);
    d.destinationEn = u(en);
    d.viaKa = u(viaKa);
    d.viaEn = u(viaEn);
    return d;
}

TEST(DestinationDiff, AddedChangedRemovedAndTheirLines)
{
    Destination kept = dest("5", "ვაკე", "Vake");
    kept.note = QStringLiteral("operator's note");
    kept.inUse = false;
    const std::vector<Destination> set = {
        kept,
        dest("12", "აეროპორტი", "Airport", "რუსთაველი", "Rustaveli"),
        dest("99", "ზოო", "Zoo \"new\""),
    };
    Destination fresh = dest("12R", "დიდუბე", "Didube");
    fresh.latinSuggested = true;
    Destination five = dest("5", "ვაკე", "Vake");
    five.note = QStringLiteral("Vake line");
    const std::vector<Destination> feed = {
        dest("12", "აეროპორტი", "Tbilisi Airport", "რუსთაველი, ვაკე", "Rustaveli, Vake"),
        fresh,
        five,
    };
    const DestinationDiff diff = diffDestinations(set, feed);
    ASSERT_EQ(diff.added.size(), 1u);
    EXPECT_EQ(diff.added[0], fresh);
    ASSERT_EQ(diff.removed.size(), 1u);
    EXPECT_EQ(diff.removed[0].code, QStringLiteral("99"));
    // A note alone is no change; the changed one keeps the set's mark.
    ASSERT_EQ(diff.changed.size(), 1u);
    const DestinationChange& c = diff.changed[0];
    EXPECT_EQ(c.before, set[1]);
    EXPECT_EQ(c.after.destinationEn, QStringLiteral("Tbilisi Airport"));
    ASSERT_EQ(c.texts.size(), 3u);
    EXPECT_EQ(c.texts[0].field, QStringLiteral("destination_en"));
    EXPECT_EQ(c.texts[0].before, QStringLiteral("Airport"));
    EXPECT_EQ(c.texts[0].after, QStringLiteral("Tbilisi Airport"));
    EXPECT_FALSE(diff.isEmpty());

    const QStringList lines = diffLines(diff);
    EXPECT_EQ(lines, (QStringList{
                         u("+ 12R route \"12R\", destination_ka \"დიდუბე\", destination_en \"Didube\" (suggested)"),
                         u("~ 12: destination_en \"Airport\" → \"Tbilisi Airport\"; via_ka \"რუსთაველი\" → \"რუსთაველი, "
                           "ვაკე\"; via_en \"Rustaveli\" → \"Rustaveli, Vake\""),
                         u("- 99 route \"99\", destination_ka \"ზოო\", destination_en \"Zoo \\\"new\\\"\""),
                     }));
    EXPECT_TRUE(diffDestinations(set, set).isEmpty());

    // Without removals the set keeps 99; with everything it equals the feed's
    // texts, the set's own note and mark kept on 5.
    const std::vector<Destination> applied = applyDiff(set, diff, addedAndChangedCodes(diff));
    ASSERT_EQ(applied.size(), 4u);
    EXPECT_EQ(applied[0], kept);
    EXPECT_EQ(applied[1], c.after);
    EXPECT_EQ(applied[2].code, QStringLiteral("99"));
    EXPECT_EQ(applied[3], fresh);
    const std::vector<Destination> all = applyDiff(set, diff, everyCode(diff));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(diffDestinations(all, feed).isEmpty());
    // Only what was ticked.
    const std::vector<Destination> one = applyDiff(set, diff, {QStringLiteral("12R")});
    ASSERT_EQ(one.size(), 4u);
    EXPECT_EQ(one[1], set[1]);
    EXPECT_EQ(one[3], fresh);
}

// The feed's guess (a romanization) or its silence never replaces what the
// set has, unless the other script's text changed with it.
TEST(DestinationDiff, SuggestionsAndMissingTranslationsKeepTheSetsTexts)
{
    const std::vector<Destination> set = {
        dest("7", "ორთაჭალა", "Ortachala HPP", "ვაკე", "Vake Park"),
        dest("8", "გლდანი", "Gldani"),
        dest("9", "დიღომი", "Dighomi"),
        dest("10", "ვარკეთილი", ""),
        dest("11", "დიდუბე", "Didube", "ვაკე", "Vake Park"),
    };
    Destination guessed = dest("7", "ორთაჭალა", "Ortachala", "ვაკე", "Vake");
    guessed.latinSuggested = true;
    Destination renamed = dest("8", "გლდანი 2", "Gldani 2");
    renamed.latinSuggested = true;
    const std::vector<Destination> feed = {
        guessed,
        renamed,
        dest("9", "", "Dighomi"),  // a Latin feed without a Georgian translation
        dest("10", "ვარკეთილი", "Varketili"),
        // A translated destination whose via stops were only romanized.
        dest("11", "დიდუბე", "Didube", "ვაკე", "Vake"),
    };
    const DestinationDiff diff = diffDestinations(set, feed);
    ASSERT_EQ(diff.changed.size(), 2u);
    EXPECT_EQ(diff.changed[0].after.code, QStringLiteral("8"));
    EXPECT_EQ(diff.changed[0].texts.size(), 2u);
    EXPECT_TRUE(diff.changed[0].after.latinSuggested);
    // A Latin name where the set had none is a change.
    EXPECT_EQ(diff.changed[1].after.code, QStringLiteral("10"));
    EXPECT_EQ(diffLines(diff)[0], u("~ 8: destination_ka \"გლდანი\" → \"გლდანი 2\"; destination_en \"Gldani\" → \"Gldani 2\" "
                                    "(suggested)"));
}

// A feed without stop headsigns says nothing of the vias: the set keeps its
// own, in one script or both, and the difference proposes nothing for them.
TEST(DestinationDiff, AFeedWithoutStopHeadsignsKeepsEveryVia)
{
    gtfs_test::Files files = gtfs_test::smallFeed();
    files.erase("stop_times.txt");
    QTemporaryDir dir;
    ASSERT_TRUE(gtfs_test::writeFolder(dir.path(), files));
    const Expected<GtfsImportResult> feed = GtfsImport::read(dir.path());
    ASSERT_TRUE(feed) << feed.error().toStdString();
    QHash<QString, Destination> byCode;
    for (const Destination& d : feed->destinations)
        byCode.insert(d.code, d);
    ASSERT_TRUE(byCode.contains(QStringLiteral("1")) && byCode.contains(QStringLiteral("1R")));

    std::vector<Destination> set = {byCode[QStringLiteral("1")], byCode[QStringLiteral("1R")]};
    set[0].viaKa = u("რუსთაველი, ვაკე");
    set[1].viaKa = u("ვაკე");
    set[1].viaEn = u("Vake");
    const DestinationDiff diff = diffDestinations(set, feed->destinations);
    EXPECT_TRUE(diff.changed.empty()) << diffLines(diff).join(QLatin1Char('\n')).toStdString();

    // A via the feed does have still replaces the set's.
    std::vector<Destination> incoming = feed->destinations;
    for (Destination& d : incoming)
        if (d.code == QStringLiteral("1"))
            d.viaKa = u("ვაკე");
    const DestinationDiff withVia = diffDestinations(set, incoming);
    ASSERT_EQ(withVia.changed.size(), 1u);
    EXPECT_EQ(withVia.changed[0].after.viaKa, u("ვაკე"));
}

TEST(DestinationDiff, LinesStayOneLineWhateverTheTexts)
{
    DestinationDiff diff;
    diff.added.push_back(dest("a b", "x\ny", "back\\slash\ttab\r"));
    diff.removed.push_back(dest("", "", "\x01"));
    const QStringList lines = diffLines(diff);
    EXPECT_EQ(lines[0], u("+ \"a b\" route \"a b\", destination_ka \"x\\ny\", destination_en \"back\\\\slash\\ttab\\r\""));
    EXPECT_EQ(lines[1], u("- \"\" destination_en \"\\u0001\""));
}

} // namespace

namespace {

// The set matches codes without regard to case, so the difference does too:
// a feed's "12R" against the set's "12r" is a change of "12r", never an
// addition beside a removal (which, applied, would delete the row it had
// just changed).
TEST(DestinationDiff, CodesMatchInAnyCase)
{
    const std::vector<Destination> set = {dest("12r", "დიდუბე", "Didube old")};
    const std::vector<Destination> feed = {dest("12R", "დიდუბე", "Didube")};
    const DestinationDiff diff = diffDestinations(set, feed);
    EXPECT_TRUE(diff.added.empty());
    EXPECT_TRUE(diff.removed.empty());
    ASSERT_EQ(diff.changed.size(), 1u);
    EXPECT_EQ(diff.changed[0].after.code, QStringLiteral("12r"));
    const DiffSelection chosen = selectDiff(diff, everyCode(diff));
    ASSERT_EQ(chosen.incoming.size(), 1u);
    EXPECT_EQ(chosen.incoming[0].destinationEn, QStringLiteral("Didube"));
    EXPECT_TRUE(chosen.removed.isEmpty());
}

} // namespace
