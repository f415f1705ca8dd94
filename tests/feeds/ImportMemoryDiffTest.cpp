// An import compared three ways, by what each text was at the last import,
// and texts an import finds in the other script's column.
#include "feeds/DestinationDiff.h"
#include "feeds/ImportWords.h"
#include "depot/Romanization.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

Destination dest(const char* code, const char* ka, const char* en, const char* viaKa = "", const char* viaEn = "")
{
    Destination d;
    d.code = d.route = u(code);
    d.destinationKa = u(ka);
    d.destinationEn = u(en);
    d.viaKa = u(viaKa);
    d.viaEn = u(viaEn);
    return d;
}

const QDateTime LastImport(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);

QString lastImportDate() { return LastImport.toLocalTime().date().toString(Qt::ISODate); }

ImportMemory::Texts remembered(const char* code, const char* field, const char* value)
{
    ImportMemory::Texts texts;
    texts[u(code).toLower()][u(field)] = {u(value), LastImport};
    return texts;
}

struct ThreeWay {
    const char* name;
    const char* set;       // the set's destination_ka now
    const char* feed;      // the feed's now
    const char* memory;    // at the last import; null: nothing remembered
    bool changed;          // a change is proposed
    bool held;             // ...unticked, taken only when asked for
};

// Each case on destination 37's Georgian destination; the Latin one stays
// "Didube" on both sides.
TEST(ImportMemoryDiff, ComparesThreeWaysByWhatTheLastImportHad)
{
    const ThreeWay cases[] = {
        {"changed by hand only", "დიდუბე", "დიდუბე 1", "დიდუბე 1", false, false},
        {"changed by the feed only", "დიდუბე", "დიდუბე 2", "დიდუბე", true, false},
        {"changed by both", "დიდუბე", "დიდუბე 2", "დიდუბე 1", true, true},
        {"changed by neither", "დიდუბე", "დიდუბე", "დიდუბე", false, false},
        {"both alike", "დიდუბე 2", "დიდუბე 2", "დიდუბე 1", false, false},
        {"first import: nothing remembered", "დიდუბე", "დიდუბე 2", nullptr, true, false},
    };
    for (const ThreeWay& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Destination> set = {dest("37", c.set, "Didube")};
        const std::vector<Destination> feed = {dest("37", c.feed, "Didube")};
        const ImportMemory::Texts memory = c.memory ? remembered("37", "destination_ka", c.memory) : ImportMemory::Texts();
        const DestinationDiff diff = diffDestinations(set, feed, DiffContext{&memory, nullptr});
        ASSERT_EQ(diff.changed.size(), c.changed ? 1u : 0u);
        // What --apply takes without --take-feed, and what the set then remembers.
        const DiffSelection plain = selectDiff(diff, addedAndChangedCodes(diff));
        if (!c.changed) {
            EXPECT_EQ(diff.same.size(), 1u);
            EXPECT_TRUE(plain.incoming.empty());
            continue;
        }
        const TextChange& t = diff.changed[0].texts.at(0);
        EXPECT_EQ(t.held, c.held);
        ASSERT_EQ(plain.incoming.size(), 1u);
        EXPECT_EQ(plain.incoming[0].destinationKa, c.held ? u(c.set) : u(c.feed));
        ASSERT_EQ(plain.imported.size(), 1u);
        EXPECT_EQ(plain.imported[0].destinationKa, u(c.feed));
        if (!c.held) {
            EXPECT_TRUE(t.note.isEmpty());
            continue;
        }
        EXPECT_EQ(t.note, QStringLiteral("changed by hand since the import of ") + lastImportDate());
        EXPECT_EQ(diffLines(diff)[0], u("~ 37: destination_ka \"%1\" → \"%2\" (changed by hand since the import of %3; held)")
                                          .arg(u(c.set), u(c.feed), lastImportDate()));
        // Asked for by itself, the feed's text is taken.
        const DiffSelection taken = selectDiff(diff, {}, heldTexts(diff));
        ASSERT_EQ(taken.incoming.size(), 1u);
        EXPECT_EQ(taken.incoming[0].destinationKa, u(c.feed));
    }
}

TEST(ImportMemoryDiff, GeorgianInALatinColumnMovesToItsOwnAndIsFlagged)
{
    // A feed said to be in English with Georgian headsigns and stop headsigns.
    std::vector<Destination> feed = {dest("12", "", "აეროპორტი", "", "რუსთაველი"),
                                     dest("13", "", "Airport აეროპორტი")};
    const std::vector<ScriptNote> notes = placeScripts(feed, QStringLiteral("en"));
    EXPECT_EQ(feed[0].destinationKa, u("აეროპორტი"));
    EXPECT_EQ(feed[0].destinationEn, suggestLatin(u("აეროპორტი")));
    EXPECT_TRUE(feed[0].latinSuggested);
    EXPECT_EQ(feed[0].viaKa, u("რუსთაველი"));
    EXPECT_EQ(feed[0].viaEn, suggestLatin(u("რუსთაველი")));
    EXPECT_EQ(feed[1], dest("13", "", "Airport აეროპორტი")); // both scripts: left alone
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].field, QStringLiteral("destination_ka"));
    EXPECT_EQ(notes[0].note, QStringLiteral("Georgian text for destination_en; the feed's language is en"));
    EXPECT_TRUE(notes[0].moved);

    // Added, it is flagged in the difference where it now stands.
    const DestinationDiff added = diffDestinations({}, feed, DiffContext{nullptr, &notes});
    EXPECT_EQ(diffLines(added)[0],
              u("+ 12 route \"12\", destination_ka \"აეროპორტი\" (Georgian text for destination_en; the feed's "
                "language is en), destination_en \"%1\" (suggested), via_ka \"რუსთაველი\" (Georgian text for via_en; "
                "the feed's language is en), via_en \"%2\"")
                  .arg(suggestLatin(u("აეროპორტი")), suggestLatin(u("რუსთაველი"))));

    // A set put right by hand keeps its Latin name against the romanization;
    // the moved via is an ordinary change, flagged.
    const DestinationDiff changed =
        diffDestinations({dest("12", "აეროპორტი", "Airport")}, feed, DiffContext{nullptr, &notes});
    ASSERT_EQ(changed.changed.size(), 1u);
    const DestinationChange& c = changed.changed[0];
    ASSERT_EQ(c.texts.size(), 2u);
    EXPECT_EQ(c.texts[0].field, QStringLiteral("via_ka"));
    EXPECT_EQ(c.texts[0].note, QStringLiteral("Georgian text for via_en; the feed's language is en"));
    EXPECT_FALSE(c.texts[0].held);
    EXPECT_EQ(c.after.destinationEn, QStringLiteral("Airport"));
}

TEST(ImportMemoryDiff, LatinInAGeorgianColumnMovesOrIsHeld)
{
    // A Georgian feed's Latin headsign comes with itself as its "romanization".
    Destination latin = dest("12", "Airport", "Airport");
    latin.latinSuggested = true;
    std::vector<Destination> feed = {latin, dest("14", "Mall", "Tbilisi Mall"),
                                     dest("15", "აეროპორტი", "აეროპორტი")};
    const std::vector<ScriptNote> notes = placeScripts(feed, QStringLiteral("ka"));
    EXPECT_EQ(feed[0], dest("12", "", "Airport"));
    EXPECT_FALSE(feed[0].latinSuggested);
    // Where the other column is taken the text stays, noted.
    EXPECT_EQ(feed[1], dest("14", "Mall", "Tbilisi Mall"));
    EXPECT_EQ(feed[2], dest("15", "აეროპორტი", "აეროპორტი"));
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].note, QStringLiteral("Latin text for destination_ka; the feed's language is ka"));
    EXPECT_EQ(notes[0].field, QStringLiteral("destination_en"));
    EXPECT_FALSE(notes[1].moved);
    EXPECT_EQ(notes[1].field, QStringLiteral("destination_ka"));
    EXPECT_EQ(notes[2].field, QStringLiteral("destination_en"));

    // Such a text is held against the set's: an import never puts it there unasked.
    const std::vector<Destination> set = {dest("14", "მოლი", "Tbilisi Mall"), dest("15", "აეროპორტი", "Airport")};
    const DestinationDiff diff = diffDestinations(set, feed, DiffContext{nullptr, &notes});
    ASSERT_EQ(diff.changed.size(), 2u);
    for (const DestinationChange& c : diff.changed) {
        ASSERT_EQ(c.texts.size(), 1u);
        EXPECT_TRUE(c.texts[0].held);
    }
    EXPECT_EQ(applyDiff(set, diff, everyCode(diff))[1], set[1]);
    EXPECT_EQ(diffLines(diff)[2], u("~ 15: destination_en \"Airport\" → \"აეროპორტი\" (Georgian text for destination_en; "
                                    "the feed's language is ka; held)"));
}

} // namespace
