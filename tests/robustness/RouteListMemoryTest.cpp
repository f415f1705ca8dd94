// A route list with one field of 10 MB, run through `vexel routes` as a
// child whose peak resident memory is read when it ends: the row is refused
// with its line, the others are written, and the memory stays small.
#include "robustness/MeasuredRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace testing_support;

TEST(RouteListMemory, ATenMegabyteFieldIsRefusedWithItsLineAndTheOtherRowsAreWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    writeAll(folder + "layout.json", R"({ "frames": [
        { "preset": "number", "destination": "{destination_en}" } ] })");
    // Words that break into pages, so nothing but the length stops them.
    QByteArray huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "Vake Didube ";
    writeAll(folder + "routes.csv", "route,destination_ka,destination_en\n"
                                    "12,აეროპორტი,Airport\n"
                                    "37,დიდუბე," + huge + "\n"
                                    "61,ვაკე,Vake\n");

    const MeasuredRun run = runVexelMeasured({QStringLiteral("routes"), folder + "layout.json", folder + "routes.csv",
                                              QStringLiteral("--out"), folder + "out"},
                                             folder + "err.txt");
    const QString& err = run.output;
    EXPECT_EQ(run.exit, 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("routes.csv: line 3, route 37: destination_en is %1 characters long, "
                                            "at most 1000; written nowhere")
                                 .arg(huge.size())))
        << err.toStdString();
    EXPECT_LT(err.size(), 1000) << "the report repeats the text";
    EXPECT_EQ(QDir(folder + "out").entryList(QDir::Files), (QStringList{"12.img", "61.img"}));

    expectPeakAtMost(run, 200);
}
