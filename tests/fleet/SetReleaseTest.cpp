// A release of a destination set: the tree, release.txt with figures the
// board would compute itself, nothing written when a destination does not
// fit unless partial, a stopped release; and a sign's chosen destinations
// as one send list within the DATA message's limits; what a release
// changed; proof sheets as PNG pages or one PDF, none left over.
#include "sets/DestinationSet.h"
#include "sets/VersionDiff.h"
#include "document/ImageFile.h"
#include "lettering/FontList.h"
#include "fleet/SetRelease.h"
#include "session/SetSend.h"
#include "preview/ProofSheet.h"

#include "session/SessionFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

const char* const FrontLayout = R"({ "font": "Vexel LED", "height": 11, "frames": [
    { "preset": "number", "number": "{route}", "destination": "{destination_ka}" },
    { "preset": "number", "number": "{route}", "destination": "{destination_en}" } ] })";
const char* const RearLayout = R"({ "font": "Vexel LED", "height": 11, "frames": [
    { "preset": "one-text", "text": "{route}" } ] })";

Destination destination(const char* code, const char* ka, const char* en = "")
{
    Destination d;
    d.code = d.route = QString::fromUtf8(code);
    d.destinationKa = QString::fromUtf8(ka);
    d.destinationEn = QString::fromUtf8(en);
    return d;
}

FontList::Places projectFonts()
{
    FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// The data block of a DATA message carrying one file, built here from the
// file's bytes on disk the way the board reads it: count, 2-byte length, bytes.
std::pair<int, int> boardFigures(const QByteArray& fileText)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(fileText).replace("\r\n", ""));
    QByteArray block;
    block.append(char(1));
    block.append(char(bytes.size() >> 8));
    block.append(char(bytes.size() & 0xFF));
    block += bytes;
    int sum = 0;
    for (char c : block)
        sum = (sum + static_cast<unsigned char>(c)) & 0xFFFF;
    return {static_cast<int>(block.size()), sum};
}

class SetReleaseTest : public ::testing::Test {
protected:
    SetReleaseTest() : folder(testing_support::folderOf(dir)), fonts(projectFonts())
    {
        auto made = DestinationSet::create(folder + "fleet.vxset",
                                           {VehicleSign{"front", 96, 16, FrontLayout}, VehicleSign{"rear", 28, 16, RearLayout}});
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        set = std::move(made).value();
        EXPECT_TRUE(set->addDestination(destination("12", "აეროპორტი", "Airport")).ok());
        EXPECT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok()); // Georgian only
        Destination resting = destination("61", "გლდანი", "Gldani");
        resting.inUse = false;
        EXPECT_TRUE(set->addDestination(resting).ok());
        out = folder + "release/";
    }

    Expected<ReleaseReport> release(ReleaseOptions options = {}, const std::function<bool(int, int)>& progress = {})
    {
        return SetRelease::release(*set, fonts, out, options, progress);
    }

    QTemporaryDir dir;
    QString folder;
    FontList fonts;
    std::unique_ptr<DestinationSet> set;
    QString out;
};

} // namespace

TEST_F(SetReleaseTest, WritesEachSignsImagesSheetsAndTheFiguresTheBoardChecks)
{
    // 37's rear image by hand, made when its texts were others.
    SignOverride byHand;
    byHand.code = QStringLiteral("37");
    byHand.sign = QStringLiteral("rear");
    byHand.image = *ImageFile::parse(testing_support::randomImageText(2, 28, 16, 7));
    byHand.madeFrom = destination("37", "ვაკე");
    ASSERT_TRUE(set->storeOverride(byHand).ok());

    const Expected<ReleaseReport> report = release();
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_TRUE(report->unfit.isEmpty()) << report->unfit.join('\n').toStdString();
    EXPECT_EQ(filesIn(SetRelease::signFolder(folder + "release", "front")), QStringList({"12.img", "37.img"})); // 61 is not in use
    EXPECT_EQ(filesIn(out + "rear"), QStringList({"12.img", "37.img"}));
    EXPECT_EQ(filesIn(out), QStringList({"front-proof.png", "rear-proof.png", "release.txt"}));
    EXPECT_EQ(report->written.size(), 4);
    EXPECT_EQ(readAll(out + "rear/37.img"), QByteArray::fromStdString(byHand.image.text()));
    EXPECT_EQ(report->stale, QStringList{"37 on rear"});
    EXPECT_FALSE(QImage(out + "front-proof.png").isNull());
    // A Georgian-only destination leaves out its Latin frame.
    EXPECT_EQ(*ImageFile::load(out + "front/12.img")->frameCount(), 2);
    EXPECT_EQ(*ImageFile::load(out + "front/37.img")->frameCount(), 1);

    const QStringList lines = QString::fromUtf8(readAll(out + "release.txt")).split('\n');
    EXPECT_EQ(lines[1], "set: fleet.vxset");
    EXPECT_EQ(lines[2], report->version > 0 ? QStringLiteral("version: %1").arg(report->version)
                                            : QStringLiteral("version: none"));
    EXPECT_EQ(lines[3], "time: " + report->time.toString(Qt::ISODate));
    EXPECT_TRUE(lines.contains("signs: front 96x16, rear 28x16"));
    EXPECT_TRUE(lines.contains("stale: 37 on rear"));
    const int table = lines.indexOf("file\tframes\tlength\tchecksum\tmessage");
    ASSERT_GT(table, 0);
    EXPECT_TRUE(lines.contains("files: 4"));
    QStringList listed;
    for (int i = table + 1; i < lines.size() && !lines[i].isEmpty(); ++i) {
        const QStringList cells = lines[i].split('\t');
        ASSERT_EQ(cells.size(), 5) << lines[i].toStdString();
        listed << cells[0];
        const QByteArray text = readAll(out + cells[0]);
        const auto [length, sum] = boardFigures(text);
        EXPECT_EQ(cells[1].toInt(), text.left(4).toInt(nullptr, 16)) << cells[0].toStdString();
        EXPECT_EQ(cells[2].toInt(), length) << cells[0].toStdString();
        EXPECT_EQ(cells[3], QStringLiteral("%1").arg(sum, 4, 16, QLatin1Char('0')).toUpper()) << cells[0].toStdString();
        EXPECT_EQ(cells[4].toInt(), length + 18) << "the whole message, header included";
    }
    EXPECT_EQ(listed, QStringList({"front/12.img", "front/37.img", "rear/12.img", "rear/37.img"}));
}

TEST_F(SetReleaseTest, AnUnfitDestinationReleasesNothingUnlessPartial)
{
    ASSERT_TRUE(release().ok());
    const QByteArray before = readAll(out + "release.txt");
    // No face has these characters; the rear shows the number alone and fits.
    ASSERT_TRUE(set->addDestination(destination("99", "東京")).ok());

    Expected<ReleaseReport> report = release();
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    ASSERT_EQ(report->unfit.size(), 1);
    EXPECT_TRUE(report->unfit[0].startsWith("99 on front: ")) << report->unfit[0].toStdString();
    EXPECT_TRUE(report->written.isEmpty());
    EXPECT_EQ(readAll(out + "release.txt"), before);
    EXPECT_FALSE(QFile::exists(out + "rear/99.img"));
    const QString fresh = out;
    out = folder + "elsewhere/";
    ASSERT_TRUE(release().ok());
    EXPECT_FALSE(QDir(out).exists());
    out = fresh;

    ReleaseOptions partial;
    partial.partial = true;
    report = release(partial);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report->unfit.size(), 1);
    EXPECT_EQ(filesIn(out + "front"), QStringList({"12.img", "37.img"}));
    EXPECT_EQ(filesIn(out + "rear"), QStringList({"12.img", "37.img", "99.img"}));
    const QString text = QString::fromUtf8(readAll(out + "release.txt"));
    EXPECT_TRUE(text.contains("\nunfit: 99 on front: ")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nrear/99.img\t")) << text.toStdString();
    EXPECT_FALSE(text.contains("front/99.img"));
}

TEST_F(SetReleaseTest, AStoppedReleaseReplacesNothing)
{
    ASSERT_TRUE(release().ok());
    const QByteArray before = readAll(out + "release.txt");
    const QByteArray image = readAll(out + "front/12.img");
    ASSERT_TRUE(set->updateDestination("12", destination("12", "ვაკე", "Vake")).ok());
    std::vector<std::pair<int, int>> calls;
    const Expected<ReleaseReport> report = release({}, [&](int done, int total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.error(), SetRelease::stoppedMessage());
    // Four images, two sheets and release.txt; stopped before the third image.
    EXPECT_EQ(calls.back(), std::make_pair(2, 7));
    EXPECT_EQ(readAll(out + "release.txt"), before);
    EXPECT_EQ(readAll(out + "front/12.img"), image);
    EXPECT_EQ(QDir(out + "front").entryList(QDir::Files | QDir::Hidden), QStringList({"12.img", "37.img"}));
    // Released again, only what changed is replaced.
    const QDateTime rearTime = QFileInfo(out + "rear/37.img").lastModified();
    ASSERT_TRUE(release().ok());
    EXPECT_NE(readAll(out + "front/12.img"), image);
    EXPECT_EQ(QFileInfo(out + "rear/37.img").lastModified(), rearTime);
}

// The line a release ends with, for each shape of change.
TEST(ReleaseSummary, SaysWhatChangedSinceTheVersionBefore)
{
    const auto images = [](std::initializer_list<std::pair<const char*, const char*>> list) {
        std::vector<ReleasedImage> out;
        for (const auto& [sign, code] : list)
            out.push_back({QString::fromUtf8(sign), QString::fromUtf8(code)});
        return out;
    };
    const auto report = [](int version, int written, int previous, int unchanged) {
        ReleaseReport r;
        r.version = version;
        for (int i = 0; i < written; ++i)
            r.written << QStringLiteral("f%1.img").arg(i);
        r.compared = true;
        r.previousVersion = previous;
        r.unchanged = unchanged;
        return r;
    };
    std::vector<std::pair<ReleaseReport, const char*>> cases;
    ReleaseReport several = report(5, 4, 4, 0);
    several.changed = images({{"front", "12"}, {"rear", "37"}, {"front", "37"}, {"side", "37"}});
    several.added = images({{"rear", "90"}});
    several.dropped = images({{"front", "61"}, {"rear", "61"}});
    cases.push_back({several, "Version 5: 4 images written, 4 changed (12 on front, 37 on rear, front and side), "
                              "1 new (90 on rear), 2 removed (61 on front and rear), none as in version 4"});
    ReleaseReport many = report(2, 10, 1, 0);
    for (int i = 1; i <= 10; ++i)
        many.added.push_back({QStringLiteral("front"), QString::number(i)});
    cases.push_back({many, "Version 2: 10 images written, 10 new (1 on front, 2 on front, 3 on front, 4 on front, "
                           "5 on front, 6 on front, 7 on front, 8 on front, and 2 more), none as in version 1"});
    // A read-only set keeps no version; it is compared with the latest kept.
    cases.push_back({report(0, 1, 0, 0), "1 image written, not kept as a version"});
    cases.push_back({report(0, 3, 2, 3), "3 images written, not kept as a version, all as in version 2"});
    ReleaseReport unread = report(2, 3, 0, 0);
    unread.compared = false;
    cases.push_back({unread, "Version 2: 3 images written"});
    for (const auto& [given, line] : cases)
        EXPECT_EQ(given.summary(), QString::fromUtf8(line));
}

// A release after changes names them against the version before.
TEST_F(SetReleaseTest, AReleaseComparesItsImagesWithTheVersionBefore)
{
    const Expected<ReleaseReport> first = release();
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    ASSERT_TRUE(set->removeDestination(QStringLiteral("37")).ok());
    ASSERT_TRUE(set->addDestination(destination("90", "ვაზისუბანი")).ok());
    Destination airport = destination("12", "აეროპორტი", "Airport T1"); // the front letters the Latin name
    ASSERT_TRUE(set->updateDestination(QStringLiteral("12"), airport).ok());
    const Expected<ReleaseReport> second = release();
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    EXPECT_EQ(second->summary(), QStringLiteral("Version %1: 4 images written, 1 changed (12 on front), 2 new (90 on "
                                                "front and rear), 2 removed (37 on front and rear), 1 as in version %2")
                                     .arg(second->version)
                                     .arg(first->version));
}

TEST(SetSendTest, TheChosenFilesMustFitOneDataMessage)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    QStringList codes;
    for (int i = 0; i < 256; ++i) {
        codes << QString::number(i);
        writeAll(folder + codes.back() + ".img", testing_support::blankImageText(1, 1));
    }
    Expected<SignSendList> list = SetSend::choose(folder, codes.mid(0, 255));
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    EXPECT_EQ(list->entries.size(), 255);
    EXPECT_EQ(list->entries[254], "254.img");
    list = SetSend::choose(folder, codes);
    ASSERT_FALSE(list.ok());
    EXPECT_NE(list.error().toStdString().find("256 destinations are chosen; one DATA message carries at most 255 files"),
              std::string::npos)
        << list.error().toStdString();
    // In the order chosen, a code named twice once.
    list = SetSend::choose(folder, {"7", "3", "7"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->entries, QStringList({"7.img", "3.img"}));
    EXPECT_FALSE(SetSend::choose(folder, {}).ok());
    EXPECT_FALSE(SetSend::choose(folder, {"300"}).ok());
    writeAll(folder + "../x.img", testing_support::blankImageText(1, 1));
    EXPECT_FALSE(SetSend::choose(folder, {"../x"}).ok());

    // 151 files of 176 x 19 come to 65,535 bytes exactly; one more is over.
    QTemporaryDir bigDir;
    const QString big = testing_support::folderOf(bigDir);
    codes.clear();
    for (int i = 0; i < 152; ++i) {
        codes << QString::number(i);
        writeAll(big + codes.back() + ".img", testing_support::blankImageText(176, 19));
    }
    list = SetSend::choose(big, codes.mid(0, 151));
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    EXPECT_EQ(list->blockLength, 65535);
    list = SetSend::choose(big, codes);
    ASSERT_FALSE(list.ok());
    EXPECT_NE(list.error().toStdString().find("come to 65,969 bytes; one DATA message carries at most 65,535 bytes"),
              std::string::npos)
        << list.error().toStdString();
}

class SetSendSessionTest : public session_testing::SessionTest {};

TEST_F(SetSendSessionTest, TheListGoesOnTheSendListOfTheSignsFolder)
{
    started();
    const QString sign = folder + "release/front/";
    ASSERT_TRUE(QDir().mkpath(sign));
    for (const char* code : {"12", "37", "61"})
        writeAll(sign + code + ".img", testing_support::randomImageText(1, 96, 24, 3));
    const Expected<SignSendList> list = SetSend::choose(sign, {"61", "12"});
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    ASSERT_TRUE(SetSend::putOnSendList(session, *list).ok());
    EXPECT_EQ(doc().folder(), sign);
    EXPECT_EQ(doc().fileName(), "61.img");
    EXPECT_EQ(session.sendList().entries(), QStringList({"61.img", "12.img"}));
    EXPECT_EQ(session.sendList().files(), QStringList{"37.img"});
    EXPECT_EQ(session.sendList().dataLength(), list->blockLength - 1);
    EXPECT_TRUE(session.preflight().empty());
    // A file changed after it was listed is what the check before Send tells.
    writeAll(sign + "12.img", testing_support::randomImageText(1, 96, 24, 4) + "\r\n");
    EXPECT_FALSE(session.preflight().empty());
}

// The history of releases: a release, a change, a second release, their
// difference, the first restored, and the first written again exactly as it
// was, release.txt included.
TEST_F(SetReleaseTest, AnEarlierVersionIsRestoredAndWrittenAgainByteForByte)
{
    const Expected<ReleaseReport> first = release();
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    ASSERT_EQ(first->version, 1);
    std::map<QString, QByteArray> firstFiles;
    for (const QString& name : QStringList{"front/12.img", "front/37.img", "rear/12.img", "rear/37.img", "release.txt"})
        firstFiles[name] = readAll(out + name);

    Destination renamed = destination("12", "აეროპორტი", "Tbilisi Airport");
    ASSERT_TRUE(set->updateDestination(QStringLiteral("12"), renamed).ok());
    ASSERT_TRUE(set->addDestination(destination("50", "ვაკე", "Vake")).ok());
    const Expected<ReleaseReport> second = release();
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    ASSERT_EQ(second->version, 2);
    EXPECT_NE(readAll(out + "front/12.img"), firstFiles["front/12.img"]);

    const Expected<VersionDiff> diff = set->compareVersions(1, 2);
    ASSERT_TRUE(diff.ok()) << diff.error().toStdString();
    EXPECT_EQ(diff->count(VersionChange::Kind::Added), 1);
    EXPECT_EQ(diff->count(VersionChange::Kind::Changed), 1);
    const QStringList lines = versionDiffLines(*diff);
    EXPECT_TRUE(lines.join('\n').contains("Tbilisi Airport")) << lines.join('\n').toStdString();

    ASSERT_TRUE(set->restoreVersion(1).ok());
    const Expected<std::vector<Destination>> now = set->destinations();
    ASSERT_TRUE(now.ok());
    EXPECT_EQ(now->front().destinationEn, "Airport");
    ASSERT_EQ(set->versions()->size(), 2u); // restoring keeps every version

    ReleaseOptions again;
    again.version = 1;
    const QString elsewhere = folder + "again/";
    const Expected<ReleaseReport> rewritten = SetRelease::release(*set, fonts, elsewhere, again);
    ASSERT_TRUE(rewritten.ok()) << rewritten.error().toStdString();
    EXPECT_EQ(rewritten->version, 1);
    for (const auto& [name, bytes] : firstFiles)
        EXPECT_EQ(readAll(elsewhere + name), bytes) << name.toStdString();
}

TEST_F(SetReleaseTest, FindingsAreKeptWithTheVersionAndWrittenAgainWhateverTheRulesSayLater)
{
    const QString rules = folder + "depot.vrules";
    writeAll(rules, "name depot\nsource our manual\nrule page-hold\ncheck hold\nmin 2.7 s\nquote \"long enough\"\n");
    ReleaseOptions options;
    options.rules = rules;
    const Expected<ReleaseReport> first = release(options);
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    // 12 pages through two frames of 0.5 s on the front; one frame pages nothing.
    const QStringList expected{"12 front page 1: page-hold 0.5 s, at least 2.7 s",
                               "12 front page 2: page-hold 0.5 s, at least 2.7 s"};
    EXPECT_EQ(first->findings, expected);
    const QStringList lines = QString::fromUtf8(readAll(out + "release.txt")).split('\n');
    EXPECT_TRUE(lines.contains("legibility: " + expected[0])) << lines.join('\n').toStdString();
    const Expected<SetVersion> kept = set->version(first->version);
    ASSERT_TRUE(kept.ok()) << kept.error().toStdString();
    EXPECT_EQ(kept->findings, expected);

    // The proof sheet marks the two frames of 12 and not the one of 37.
    const QImage sheet(out + "front-proof.png");
    ASSERT_FALSE(sheet.isNull());
    int marked = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x + 1 < sheet.width(); ++x)
            marked += sheet.pixel(x, y) == ProofSheet::MarkColour && sheet.pixel(x + 1, y) != ProofSheet::MarkColour;
    EXPECT_GT(marked, 0);
    const QByteArray firstSheet = readAll(out + "front-proof.png");
    const QByteArray firstText = readAll(out + "release.txt");

    // The rules change; the stored version is written as it was released.
    writeAll(rules, "name depot\nsource our manual\nrule page-hold\ncheck hold\nmin 0.1 s\nquote \"short\"\n");
    ReleaseOptions again;
    again.version = first->version;
    const Expected<ReleaseReport> rewritten = SetRelease::release(*set, fonts, folder + "again/", again);
    ASSERT_TRUE(rewritten.ok()) << rewritten.error().toStdString();
    EXPECT_EQ(rewritten->findings, expected);
    EXPECT_EQ(readAll(folder + "again/release.txt"), firstText);
    EXPECT_EQ(readAll(folder + "again/front-proof.png"), firstSheet);

    // A rule set asked for by name that is not there releases nothing.
    ReleaseOptions missing;
    missing.rules = folder + "nowhere.vrules";
    EXPECT_FALSE(release(missing).ok());
}

// The proof sheets as one PDF per sign hold a page for each PNG page, and a
// release into the same folder leaves no sheet that shows other images:
// not the other format, not the pages a longer sheet had, not the sheet of
// a release without sheets. Files beside them that are not sheets stay.
TEST_F(SetReleaseTest, SheetsAsOnePdfAndNoSheetLeftOverWhenTheFormatOrLengthChanges)
{
    // 12 by hand on the front, long enough for its sheet to go over pages.
    SignOverride byHand;
    byHand.code = QStringLiteral("12");
    byHand.sign = QStringLiteral("front");
    byHand.image = *ImageFile::parse(testing_support::randomImageText(200, 96, 16, 3));
    ASSERT_TRUE(set->storeOverride(byHand).ok());
    ASSERT_TRUE(release().ok());
    const QStringList pngPages = QDir(out).entryList({"front-proof*.png"}, QDir::Files, QDir::Name);
    ASSERT_GE(pngPages.size(), 2) << "the sheet should be longer than a page";
    EXPECT_TRUE(pngPages.contains(QStringLiteral("front-proof-%1.png").arg(pngPages.size())));
    writeAll(out + "front-proof-notes.txt", "kept");
    writeAll(out + "side-proof.png", "a sign the set does not have");

    ReleaseOptions pdf;
    pdf.sheets = SheetFormat::Pdf;
    const Expected<ReleaseReport> asPdf = release(pdf);
    ASSERT_TRUE(asPdf.ok()) << asPdf.error().toStdString();
    EXPECT_EQ(filesIn(out), QStringList({"front-proof-notes.txt", "front-proof.pdf", "rear-proof.pdf", "release.txt",
                                         "side-proof.png"}));
    EXPECT_EQ(asPdf->sheets, QStringList({out + "front-proof.pdf", out + "rear-proof.pdf"}));
    const auto pdfPages = [&](const char* name) {
        const QByteArray bytes = readAll(out + name);
        EXPECT_TRUE(bytes.startsWith("%PDF")) << name;
        return QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page(?!s)"));
    };
    EXPECT_EQ(pdfPages("front-proof.pdf"), pngPages.size());
    EXPECT_EQ(pdfPages("rear-proof.pdf"), 1);
    EXPECT_TRUE(readAll(out + "release.txt").contains("\nproof sheets: front-proof.pdf, rear-proof.pdf\n"));

    // Back to PNG with a shorter sheet: one page, no PDF.
    ASSERT_TRUE(set->removeOverride(QStringLiteral("12"), QStringLiteral("front")).ok());
    ASSERT_TRUE(release().ok());
    EXPECT_EQ(filesIn(out), QStringList({"front-proof-notes.txt", "front-proof.png", "rear-proof.png", "release.txt",
                                         "side-proof.png"}));

    // A release without sheets leaves none of the old ones beside new images.
    ReleaseOptions none;
    none.proofSheets = false;
    const Expected<ReleaseReport> bare = release(none);
    ASSERT_TRUE(bare.ok()) << bare.error().toStdString();
    EXPECT_TRUE(bare->sheets.isEmpty());
    EXPECT_EQ(filesIn(out), QStringList({"front-proof-notes.txt", "release.txt", "side-proof.png"}));
}

// What a release takes for a sheet of its sign, and so may remove: its own
// names only, never a file of another sign or one the depot put beside them.
TEST(SheetNames, ASignsSheetsInEitherFormatAndNothingElse)
{
    for (const char* name : {"front-proof.png", "front-proof-2.png", "front-proof-12.png", "front-proof.pdf"})
        EXPECT_TRUE(SetRelease::isSheetOf(QLatin1String(name), QStringLiteral("front"))) << name;
    for (const char* name : {"front-proof-1.png", "front-proof-02.png", "front-proof-2.pdf", "front-proof.png.bak",
                             "front-proof-notes.png", "front-proof-2-proof.png", "Front-proof.png", "front.png",
                             "frontal-proof.png"})
        EXPECT_FALSE(SetRelease::isSheetOf(QLatin1String(name), QStringLiteral("front"))) << name;
    // A sign whose name another's sheet begins with.
    EXPECT_FALSE(SetRelease::isSheetOf(QStringLiteral("front-proof-proof.png"), QStringLiteral("front")));
    EXPECT_TRUE(SetRelease::isSheetOf(QStringLiteral("front-proof-proof.png"), QStringLiteral("front-proof")));
    EXPECT_EQ(SetRelease::sheetName(QStringLiteral("rear"), SheetFormat::Pdf), QStringLiteral("rear-proof.pdf"));
}
