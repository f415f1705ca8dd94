// `vexel set status` and its exit status, `vexel translit`, and `vexel
// routes` with a layout that letters several signs.
#include "sets/DestinationSet.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using cli_testing::runVexel;
using testing_support::writeAll;

namespace {

class SetStatusTest : public ::testing::Test {
protected:
    SetStatusTest() : folder(testing_support::folderOf(dir)), set(folder + "fleet.vxset") {}

    QTemporaryDir dir;
    QString folder;
    QString set;
};

} // namespace

TEST_F(SetStatusTest, OneLineADestinationAndSignAndExitOneWhenAnyDoesNotFit)
{
    ASSERT_EQ(runVexel({"set", "new", set, QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
    writeAll(folder + "routes.csv", "code,route,destination_ka,destination_en,via_ka,via_en\n"
                                    "12,12,აეროპორტი,Airport,,\n"
                                    "101,101,,Vake,,\"Rustaveli - Chavchavadze - Abashidze - Paliashvili, "
                                    "Vazha-Pshavela, Nutsubidze - Saburtalo\"\n");
    ASSERT_EQ(runVexel({"set", "import", set, folder + "routes.csv"}).exit, 0);

    auto run = runVexel({"set", "status", set});
    EXPECT_EQ(run.exit, 0) << run.out.toStdString() << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("12 front: fits"));
    EXPECT_EQ(lines[2], QStringLiteral("12 rear: fits"));
    // A Latin-only destination with a long via list: pages, not a refusal,
    // and the status names the layout frame (from 1) that pages.
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("101 front: "))) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].contains(QRegularExpression(QStringLiteral(" pages \\(frame \\d\\)$")))) << lines[3].toStdString();
    EXPECT_EQ(lines[6], QStringLiteral("2 destinations, 6 signs: 4 fit, 2 paged, 0 do not fit"));

    // A character no face has: that sign does not fit, and the status says
    // which character; the exit status says something does not fit.
    writeAll(folder + "bad.csv", "code,route,destination_ka,destination_en\n7,7,ვაკე,Tokyo \u6771\u4EAC\n");
    ASSERT_EQ(runVexel({"set", "import", set, folder + "bad.csv"}).exit, 0);
    run = runVexel({"set", "status", set});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("7 front: does not fit: frame 2: the font lacks \u6771 (U+6771), "
                                                "\u4EAC (U+4EAC)\n")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("7 rear: fits\n")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("3 destinations, 9 signs: 5 fit, 2 paged, 2 do not fit\n")))
        << run.out.toStdString();

    // An image made by hand stands for its destination on its sign, and is
    // stale once the texts it was made from change.
    {
        auto editor = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(editor.ok()) << editor.error().toStdString();
        const auto destinations = *editor.value()->destinations();
        vexel::SignOverride byHand;
        byHand.code = QStringLiteral("7");
        byHand.sign = QStringLiteral("front");
        byHand.image = *vexel::ImageFile::parse(testing_support::blankImageText(160, 19));
        byHand.madeFrom = destinations.back();
        ASSERT_TRUE(editor.value()->storeOverride(byHand).ok());
        vexel::SignOverride side = byHand;
        side.sign = QStringLiteral("side");
        side.image = *vexel::ImageFile::parse(testing_support::blankImageText(112, 16));
        side.madeFrom.destinationEn = QStringLiteral("Tokyo");
        ASSERT_TRUE(editor.value()->storeOverride(side).ok());
    }
    run = runVexel({"set", "status", set});
    EXPECT_EQ(run.exit, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("7 front: by hand\n7 side: by hand, stale\n7 rear: fits\n")))
        << run.out.toStdString();

    EXPECT_EQ(runVexel({"set", "status"}).exit, 2);
    EXPECT_EQ(runVexel({"set", "status", folder + "missing.vxset"}).exit, 1);
}

TEST(TranslitCommand, OneSuggestionALine)
{
    const auto run = runVexel({"translit", QStringLiteral("წყნეთი"), QStringLiteral("ვაჟა-ფშაველა 12"),
                               QStringLiteral("Didube")});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, QStringLiteral("Tsqneti\nVazha-Pshavela 12\nDidube\n"));
    EXPECT_EQ(runVexel({"translit"}).exit, 2);
}

TEST_F(SetStatusTest, RoutesWritesAFolderPerSignOfTheLayout)
{
    writeAll(folder + "layout.json", R"({ "font": "Vexel LED", "duration": 3000,
        "signs": [
          { "name": "front", "board": { "width": 160, "height": 19 },
            "frames": [ { "preset": "number", "destination": "{destination_ka}" },
                        { "preset": "number", "number": "{code}", "destination": "{via_en}" } ] },
          { "name": "rear", "board": { "width": 28, "height": 16 }, "duration": 9000,
            "frames": [ { "preset": "one-text", "text": "{route}" } ] } ] })");
    writeAll(folder + "routes.csv", "code,route,destination_ka,via_en\n"
                                    "12R,12,აეროპორტი,Vake\n"
                                    "37,37,დიდუბე,\n");
    const QString out = folder + "out";
    const auto run = runVexel({"routes", folder + "layout.json", folder + "routes.csv", "--out", out});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    // Files are named by route, as a layout of one board names them.
    for (const char* sign : {"front", "rear"}) {
        QStringList files = QDir(out + "/" + sign).entryList(QDir::Files);
        files.sort();
        EXPECT_EQ(files, (QStringList{"12.img", "37.img"})) << sign;
    }
    const auto front = vexel::ImageFile::load(out + "/front/12.img");
    ASSERT_TRUE(front.ok()) << front.error().toStdString();
    EXPECT_EQ(*front->frameCount(), 2);
    EXPECT_EQ(front->headerAt(1)->rect, (vexel::FrameRect{0, 0, 160, 19}));
    EXPECT_EQ(*vexel::ImageFile::load(out + "/front/37.img")->frameCount(), 1); // no via
    const auto rear = vexel::ImageFile::load(out + "/rear/12.img");
    ASSERT_TRUE(rear.ok());
    EXPECT_EQ(rear->headerAt(1)->rect, (vexel::FrameRect{0, 0, 28, 16}));
    EXPECT_EQ(rear->headerAt(1)->duration, 9000);

    // A layout fault names its key's path within the sign.
    writeAll(folder + "bad.json", R"({ "signs": [ { "name": "front", "board": { "width": 160, "height": 19 },
        "frames": [ { "preset": "number", "destination": "{via_xx}" } ] } ] })");
    const auto bad = runVexel({"routes", folder + "bad.json", folder + "routes.csv", "--out", out});
    EXPECT_EQ(bad.exit, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("signs[0].frames[0].destination: {via_xx} is no column")))
        << bad.err.toStdString();
}
