// `vexel set abbreviations` and `vexel set gtfs --case` as scripts run them.
#include "sets/DestinationSet.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/SignProfile.h"

#include <QFile>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using namespace vexel;
using cli_testing::runVexel;

namespace {

class SetWordsCommandTest : public ::testing::Test {
protected:
    SetWordsCommandTest()
    {
        set = dir.filePath(QStringLiteral("fleet.vxset"));
        auto made = DestinationSet::create(set, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
    }

    QString file(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
    }

    SetWords words() const
    {
        auto opened = DestinationSet::open(set, DestinationSet::Access::Read);
        return opened ? *(*opened)->words() : SetWords{};
    }

    QTemporaryDir dir;
    QString set;
};

TEST_F(SetWordsCommandTest, ImportsReplacingAndExportsTheSame)
{
    const QByteArray csv = "script,word,short\nen,Avenue,Av\nka," + QString::fromUtf8("გამზირი,გამზ.").toUtf8() + "\n";
    auto run = runVexel({"set", "abbreviations", set, "--import", file("a.csv", csv)});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 abbreviations (0 before)\n"));
    run = runVexel({"set", "abbreviations", set, "--export", "-"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toUtf8(), csv);

    // A second import replaces the list; the other word lists stay.
    run = runVexel({"set", "abbreviations", set, "--import", file("b.csv", "script,word,short\nen,Street,St\n")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const SetWords after = words();
    ASSERT_EQ(after.abbreviations.size(), 1u);
    EXPECT_EQ(after.abbreviations[0].word, QStringLiteral("Street"));
    EXPECT_EQ(after.viaSeparators, QStringList{QStringLiteral(" via ")});

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_EQ(runVexel({"set", "abbreviations", set, "--export", out}).exit, 0);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("script,word,short\nen,Street,St\n"));
}

TEST_F(SetWordsCommandTest, RefusesABrokenTableWithItsLinesAndBadUsage)
{
    const QString bad = file("bad.csv", "script,word,short\nen,Avenue,Av\nfr,Rue,R\n");
    auto run = runVexel({"set", "abbreviations", set, "--import", bad});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("bad.csv, line 3: the script is \"fr\", not ka or en"))) << run.err.toStdString();
    EXPECT_TRUE(words().abbreviations.empty());

    const std::vector<QStringList> usages{{"set", "abbreviations", set},
                                          {"set", "abbreviations", set, "--import", bad, "--export", "-"},
                                          {"set", "gtfs", set, dir.path(), "--case", "lower"}};
    for (const QStringList& args : usages)
        EXPECT_EQ(runVexel(args).exit, 2) << args.join(QLatin1Char(' ')).toStdString();
}

TEST_F(SetWordsCommandTest, GtfsTakesTheCaseChoice)
{
    gtfs_test::Files f;
    f["routes.txt"] = "route_id,route_short_name,route_type\nb6,B6,3\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\nb6,t1,EAST NEW YORK via LINDEN BLVD,0\n";
    const QString feed = dir.filePath(QStringLiteral("feed"));
    ASSERT_TRUE(gtfs_test::writeFolder(feed, f));
    auto run = runVexel({"set", "gtfs", set, feed});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("+ B6 route \"B6\", destination_en \"East New York\" (suggested), via_en \"Linden Blvd\"\n"));
    run = runVexel({"set", "gtfs", set, feed, "--case", "keep"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("+ B6 route \"B6\", destination_en \"EAST NEW YORK\", via_en \"LINDEN BLVD\"\n"));
}

// Each list edited one entry at a time, as a script would; an entry named
// in another letter case is the same entry; the listing reads back.
TEST_F(SetWordsCommandTest, WordsAddsAndRemovesOneEntryOfEachList)
{
    auto run = runVexel({"set", "words", set, "--upper", "add", "MTA"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    run = runVexel({"set", "words", set, "--upper", "add", "mta"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("\"MTA\" is in the upper list already"))) << run.err.toStdString();
    ASSERT_EQ(runVexel({"set", "words", set, "--upper", "remove", "lirr"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "words", set, "--via", "add", "via the"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "words", set, "--service", "add", "Express"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "words", set, "--service", "remove", "rush"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "words", set, "--keep", "add", "Penn Station"}).exit, 0);

    const SetWords after = words();
    EXPECT_TRUE(after.upperWords.contains(QStringLiteral("MTA")));
    EXPECT_FALSE(after.upperWords.contains(QStringLiteral("LIRR")));
    EXPECT_EQ(after.viaSeparators, (QStringList{QStringLiteral(" via "), QStringLiteral(" via the ")}));
    EXPECT_TRUE(after.serviceWords.contains(QStringLiteral("Express")));
    EXPECT_FALSE(after.serviceWords.contains(QStringLiteral("Rush")));
    EXPECT_EQ(after.keepTogether, QStringList{QStringLiteral("Penn Station")});

    run = runVexel({"set", "words", set});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("keep \"Penn Station\"\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("via \" via the \"\n"))) << run.out.toStdString();

    // Nothing to remove, a wrong action, two lists at once.
    EXPECT_EQ(runVexel({"set", "words", set, "--keep", "remove", "Kings Plaza"}).exit, 1);
    EXPECT_EQ(runVexel({"set", "words", set, "--keep", "drop", "Kings Plaza"}).exit, 2);
    EXPECT_EQ(runVexel({"set", "words", set, "--keep", "add", "A", "--upper", "add"}).exit, 2);
    EXPECT_EQ(words(), after);
}

// The via words: one per script, set whole, listed, and refused blank or
// for a script the set has no word for.
TEST_F(SetWordsCommandTest, ViaWordsAreSetPerScript)
{
    EXPECT_EQ(words().viaWordLatin, QStringLiteral("via"));
    EXPECT_EQ(words().viaWordGeorgian, QStringLiteral("გავლით:"));
    auto run = runVexel({"set", "words", set, "--via-word", "latin", " through "});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    ASSERT_EQ(runVexel({"set", "words", set, "--via-word", "georgian", "გზით"}).exit, 0);
    const SetWords after = words();
    EXPECT_EQ(after.viaWordLatin, QStringLiteral("through"));
    EXPECT_EQ(after.viaWordGeorgian, QStringLiteral("გზით"));
    run = runVexel({"set", "words", set});
    EXPECT_TRUE(run.out.contains(QStringLiteral("via-word latin \"through\"\nvia-word georgian \"გზით\"\n")))
        << run.out.toStdString();

    EXPECT_EQ(runVexel({"set", "words", set, "--via-word", "latin", "  "}).exit, 1);
    EXPECT_EQ(runVexel({"set", "words", set, "--via-word", "cyrillic", "via"}).exit, 2);
    EXPECT_EQ(runVexel({"set", "words", set, "--via-word", "latin"}).exit, 2);
    EXPECT_EQ(words(), after);
}

// The suffix that codes a direction's other headsigns is the set's: listed,
// changed by set words or by an import that is applied with its own, and
// refused where it would make codes no file can be named by.
TEST_F(SetWordsCommandTest, OtherHeadsignsAreCodedByTheSetsSuffix)
{
    gtfs_test::Files f;
    f["routes.txt"] = "route_id,route_short_name,route_type\nb41,B41,3\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n"
                     "b41,t1,Kings Plaza,0\nb41,t2,Kings Plaza,0\nb41,t3,Bergen Beach,0\n";
    const QString feed = dir.filePath(QStringLiteral("feed"));
    ASSERT_TRUE(gtfs_test::writeFolder(feed, f));
    auto added = [&](std::initializer_list<const char*> more) {
        QStringList line{QStringLiteral("set"), QStringLiteral("gtfs"), set, feed};
        for (const char* a : more)
            line << QString::fromUtf8(a);
        const auto run = runVexel(line);
        EXPECT_EQ(run.exit, 0) << run.err.toStdString();
        QStringList codes;
        for (const QString& l : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            codes << l.section(QLatin1Char(' '), 0, 1);
        return codes.join(QLatin1Char(' '));
    };
    EXPECT_TRUE(runVexel({"set", "words", set}).out.contains(QStringLiteral("variant-suffix \"-%n\"\n")));
    EXPECT_EQ(added({}), QStringLiteral("+ B41 + B41-2"));

    for (const char* bad : {"/%n", "%n%n", "a b", "123456789012345678901"})
        EXPECT_EQ(runVexel({"set", "words", set, "--variant-suffix", bad}).exit, 1) << bad;
    EXPECT_EQ(runVexel({"set", "gtfs", set, feed, "--variant-suffix", "/%n"}).exit, 2);
    EXPECT_EQ(words().variantSuffix, QStringLiteral("-%n"));

    ASSERT_EQ(runVexel({"set", "words", set, "--variant-suffix", "V"}).exit, 0);
    EXPECT_EQ(added({}), QStringLiteral("+ B41 + B41V2"));
    // An import told its own suffix codes by it, and applied makes it the
    // set's, so the next import proposes nothing new.
    EXPECT_EQ(added({"--variant-suffix", ".%n"}), QStringLiteral("+ B41 + B41.2"));
    EXPECT_EQ(words().variantSuffix, QStringLiteral("V"));
    EXPECT_EQ(added({"--variant-suffix", ".%n", "--apply"}), QStringLiteral("+ B41 + B41.2"));
    EXPECT_EQ(words().variantSuffix, QStringLiteral(".%n"));
    EXPECT_EQ(added({}), QString());
}

} // namespace
