// `vexel set audit`: one line per finding, the exit status, a rule set by
// name or file, and a rule file that cannot be read.
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using cli_testing::runVexel;
using testing_support::writeAll;

TEST(SetAuditTest, OneLineAFindingAndExitOneWhenThereIsAny)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    const QString set = folder + "fleet.vxset";
    // The example bus with each sign's pitch and place, in a copy.
    writeAll(folder + "bus.json", R"({ "signs": [
        { "name": "front", "width": 160, "height": 19, "pitch_mm": 8, "place": "front",
          "layout": { "font": "Vexel LED", "height": 11, "duration": 4000, "frames": [
            { "preset": "number", "number": "{route}", "destination": "{destination_en}" } ] } },
        { "name": "rear", "width": 28, "height": 16, "pitch_mm": 8, "place": "rear",
          "layout": { "font": "Vexel LED", "height": 11, "frames": [ { "preset": "one-text", "text": "{route}" } ] } } ] })");
    ASSERT_EQ(runVexel({"set", "new", set, folder + "bus.json"}).exit, 0);
    writeAll(folder + "routes.csv", "code,route,destination_ka,destination_en\n12,12,,Airport\n37,37,,DIDUBE\n");
    // A name the set keeps in capitals, so that the import does not case it.
    ASSERT_EQ(runVexel({"set", "words", set, "--upper", "add", "DIDUBE"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "import", set, folder + "routes.csv"}).exit, 0);

    // Our own rules: one frame a sign holds and loops nothing.
    auto run = runVexel({"set", "audit", set});
    EXPECT_EQ(run.exit, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("0 findings by the rules \"vexel\"")) << run.err.toStdString();

    run = runVexel({"set", "audit", set, "--rules", "uk-psvar"});
    EXPECT_EQ(run.exit, 1) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    // The signs' own shortfalls once each, before their destinations.
    EXPECT_EQ(lines.value(0), "front: number-front-rear 152 mm at most (19 rows × 8 mm), at least 200 mm");
    EXPECT_EQ(lines.count("rear: number-front-rear 128 mm at most (16 rows × 8 mm), at least 200 mm"), 1);
    EXPECT_TRUE(lines.contains("37 front page 1: destination-case \"DIDUBE\", not in capitals only"))
        << run.out.toStdString();
    EXPECT_FALSE(run.out.contains("12 front page 1: destination-case")) << run.out.toStdString();

    // A depot's own file, and one that is broken.
    writeAll(folder + "depot.vrules", "name depot\nsource our manual\nrule short\ncheck hold\nmax 1 s\nquote q\n");
    run = runVexel({"set", "audit", set, "--rules", folder + "depot.vrules"});
    EXPECT_EQ(run.exit, 0) << run.out.toStdString() << run.err.toStdString(); // one frame: nothing pages
    writeAll(folder + "broken.vrules", "name depot\nrule short\ncheck hold\nmax 1 lightyear\n");
    run = runVexel({"set", "audit", set, "--rules", folder + "broken.vrules"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains("broken.vrules: line 4: ")) << run.err.toStdString();
    run = runVexel({"set", "audit", set, "--rules", "nowhere"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains("no rules named \"nowhere\"")) << run.err.toStdString();
}

// A destination that fits only abbreviated is audited as the release letters
// it, not left out as if it did not fit.
TEST(SetAuditTest, AuditsTheAbbreviatedPage)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    const QString set = folder + "fleet.vxset";
    writeAll(folder + "bus.json", R"({ "signs": [
        { "name": "front", "width": 160, "height": 19, "pitch_mm": 8, "place": "front",
          "layout": { "font": "Vexel LED", "height": 11, "max_pages": 1, "frames": [
            { "preset": "number", "number": "{route}", "destination": "{destination_en}" } ] } } ] })");
    ASSERT_EQ(runVexel({"set", "new", set, folder + "bus.json"}).exit, 0);
    writeAll(folder + "routes.csv", "code,route,destination_ka,destination_en\n"
                                    "99,99,,BOULEVARD BOULEVARD BOULEVARD BOULEVARD BOULEVARD BOULEVARD BOULEVARD\n");
    ASSERT_EQ(runVexel({"set", "import", set, folder + "routes.csv"}).exit, 0);
    writeAll(folder + "short.csv", "script,word,short\nen,BOULEVARD,BD\n");
    ASSERT_EQ(runVexel({"set", "abbreviations", set, "--import", folder + "short.csv"}).exit, 0);

    const auto run = runVexel({"set", "audit", set, "--rules", "uk-psvar"});
    EXPECT_TRUE(run.out.contains("99 front page 1: destination-front 56 mm")) << run.out.toStdString();
}
