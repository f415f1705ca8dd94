// The fleet below its window: a release names its set's lasting id and
// valid-from day, a send records checksums a release compares with, the
// bus list's CSV round trip and refusals, and the visit list of a release.
#include "sets/DestinationSet.h"
#include "lettering/FontList.h"
#include "fleet/BusCsv.h"
#include "fleet/BusList.h"
#include "fleet/FleetStatus.h"
#include "fleet/FleetVisit.h"
#include "fleet/ReleaseNote.h"
#include "fleet/SetRelease.h"
#include "session/SetSend.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

const char* const Layout = R"({ "font": "Vexel LED", "height": 11, "frames": [
    { "preset": "one-text", "text": "{route}" } ] })";

class FleetRelease : public ::testing::Test {
protected:
    FleetRelease() : folder(testing_support::folderOf(dir)), fonts(places())
    {
        auto made = DestinationSet::create(folder + "city.vxset", {VehicleSign{"front", 40, 16, Layout},
                                                                  VehicleSign{"rear", 28, 16, Layout}});
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        set = std::move(made).value();
        for (const char* code : {"12", "37", "61"}) {
            Destination d;
            d.code = d.route = QString::fromLatin1(code);
            d.destinationKa = QStringLiteral("ვაკე");
            EXPECT_TRUE(set->addDestination(d).ok());
        }
    }

    static FontList::Places places()
    {
        FontList::Places p;
        p.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
        p.systemFonts = false;
        return p;
    }

    Expected<ReleaseReport> release(const QString& to, QDate validFrom = {})
    {
        ReleaseOptions options;
        options.proofSheets = false;
        options.validFrom = validFrom;
        return SetRelease::release(*set, fonts, folder + to, options);
    }

    // What `vexel send` records of a send of `files` the board took.
    void sent(const SendJournal& journal, const QString& bus, const QStringList& files)
    {
        JournalEntry e;
        e.bus = bus;
        e.reply = QStringLiteral("OK");
        SendJournal::describeFiles(e, files);
        ASSERT_TRUE(journal.record(e).ok());
    }

    QTemporaryDir dir;
    QString folder;
    FontList fonts;
    std::unique_ptr<DestinationSet> set;
};

TEST_F(FleetRelease, AReleaseNamesTheSetsIdAndDayAndASendCarriesItsChecksums)
{
    const QString id = set->setId();
    ASSERT_EQ(id.size(), 36);
    const Expected<ReleaseReport> report = release("r1", QDate(2027, 6, 1));
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    const QByteArray text = readAll(folder + "r1/release.txt");
    EXPECT_TRUE(text.contains("\nset-id: " + id.toLatin1() + "\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nvalid-from: 2027-06-01\n"));
    EXPECT_TRUE(text.contains("\nset: city.vxset\n")) << "the lines before stay as they were";
    const ReleaseNote note = ReleaseNote::parse(text);
    EXPECT_EQ(note.setId, id);
    EXPECT_EQ(note.set, QStringLiteral("city.vxset"));
    EXPECT_EQ(note.validFrom, QDate(2027, 6, 1));

    const auto releases = set->releases();
    ASSERT_TRUE(releases.ok()) << releases.error().toStdString();
    ASSERT_EQ(releases->size(), 1u);
    EXPECT_EQ(releases->front().validFrom, QDate(2027, 6, 1));
    EXPECT_EQ(releases->front().folder, QDir::cleanPath(folder + "r1"));

    // The checksums a send records are those the set keeps for the release.
    const SendJournal journal(folder + "journal.sqlite", QString(), QStringLiteral("depot-1"));
    sent(journal, "1042", {folder + "r1/front/12.img", folder + "r1/front/37.img"});
    const auto entries = journal.entries();
    ASSERT_TRUE(entries.ok() && entries->size() == 1u);
    const JournalEntry& e = entries->front();
    EXPECT_EQ(e.setId, id);
    EXPECT_EQ(e.sign, QStringLiteral("front"));
    EXPECT_EQ(e.version, 1);
    QStringList kept;
    const auto images = set->releasedImages();
    ASSERT_TRUE(images.ok());
    for (const ReleaseTable::Image& i : *images)
        if (i.sign == QLatin1String("front") && (i.code == QLatin1String("12") || i.code == QLatin1String("37")))
            kept << i.sum;
    EXPECT_EQ(e.sums, kept);

    // The id lasts: opened again, and copied with the file, it is the same.
    set.reset();
    ASSERT_TRUE(QFile::copy(folder + "city.vxset", folder + "copy.vxset"));
    for (const char* path : {"city.vxset", "copy.vxset"})
        EXPECT_EQ(DestinationSet::open(folder + path, DestinationSet::Access::Read).value()->setId(), id);
}

TEST_F(FleetRelease, TheVisitListHasTheDepotsBusesBehindTheReleaseWithEverySignsFiles)
{
    ASSERT_TRUE(release("r1").ok());
    // Version 2 letters 12 anew; 37 and 61 stay as they were.
    Destination changed = set->destinations()->front();
    changed.route = QStringLiteral("12A");
    ASSERT_TRUE(set->updateDestination(QStringLiteral("12"), changed).ok());
    ASSERT_TRUE(release("r2").ok());

    const SendJournal journal(folder + "journal.sqlite", QString(), QStringLiteral("depot-1"));
    Bus b;
    b.set = folder + "city.vxset";
    b.depot = QStringLiteral("Gldani");
    std::vector<Bus> buses;
    for (const auto& [number, codes, inService, depot] :
         std::vector<std::tuple<const char*, QStringList, bool, const char*>>{
             {"10", {"37", "61"}, true, "Gldani"},   // up to date on front, not on rear
             {"11", {"12", "37"}, true, "Gldani"},   // carries 12 of r1
             {"9", {"*"}, true, "Gldani"},           // never sent to
             {"12", {"12"}, false, "Gldani"},        // out of service
             {"13", {"12"}, true, "Saburtalo"}}) {   // another depot
        b.number = QString::fromLatin1(number);
        b.codes = codes;
        b.inService = inService;
        b.depot = QString::fromLatin1(depot);
        buses.push_back(b);
    }
    ASSERT_TRUE(BusList(journal).merge(buses).ok());
    sent(journal, "10", {folder + "r1/front/37.img", folder + "r1/front/61.img"});
    sent(journal, "11", {folder + "r1/front/12.img", folder + "r1/front/37.img"});
    sent(journal, "11", {folder + "r2/rear/12.img", folder + "r2/rear/37.img"});

    const Expected<std::vector<VisitItem>> items = FleetVisit::list(journal, "gldani", folder + "r2");
    ASSERT_TRUE(items.ok()) << items.error().toStdString();
    QStringList got;
    for (const VisitItem& i : *items) {
        got << i.bus + " " + i.sign + " " + i.files.join(' ');
        EXPECT_EQ(i.folder, SetRelease::signFolder(QDir::cleanPath(folder + "r2"), i.sign));
        QStringList codes = i.files;
        const Expected<SignSendList> chosen = SetSend::choose(i.folder, codes.replaceInStrings(".img", ""));
        ASSERT_TRUE(chosen.ok()) << chosen.error().toStdString();
        EXPECT_EQ(i.length, chosen->blockLength);
        EXPECT_TRUE(i.problem.isEmpty());
    }
    EXPECT_EQ(got, QStringList({"9 front 12.img 37.img 61.img", "9 rear 12.img 37.img 61.img", "10 rear 37.img 61.img",
                                "11 front 12.img 37.img"}));

    // The fleet's state agrees: 11's rear came from r2, its front is behind on 12.
    const auto states = FleetStatus::load(journal);
    ASSERT_TRUE(states.ok()) << states.error().toStdString();
    for (const FleetBusState& s : *states)
        if (s.bus.number == QLatin1String("11")) {
            EXPECT_EQ(s.releaseFolder, QDir::cleanPath(folder + "r2"));
            EXPECT_EQ(s.signs.at(0).behind, QStringList{"12"});
            EXPECT_EQ(s.signs.at(0).carriedVersion, 1);
            EXPECT_FALSE(s.signs.at(1).isBehind());
        }

    // A folder that is not a release is refused with the reason.
    EXPECT_FALSE(FleetVisit::list(journal, "Gldani", folder).ok());
}

Bus busOf(const char* number, const char* depot, const QString& set, QStringList codes, bool inService,
          const char* note)
{
    Bus b;
    b.number = QString::fromUtf8(number);
    b.depot = QString::fromUtf8(depot);
    b.set = set;
    b.codes = std::move(codes);
    b.inService = inService;
    b.note = QString::fromUtf8(note);
    return b;
}

TEST_F(FleetRelease, TheBusListGoesOutAndComesBackUnchanged)
{
    const QString setPath = folder + "city.vxset";
    const std::vector<Bus> buses{busOf("9", "Gldani", setPath, {"*"}, true, ""),
                                 busOf("10", "Depot, north", setPath, {"12", "37"}, false, "says \"hi\""),
                                 busOf("1042", "Gldani", setPath, {"61"}, true, "ვაკე, 2 doors")};
    const SendJournal journal(folder + "journal.sqlite", QString());
    BusList list(journal);
    const auto first = list.merge(buses);
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    EXPECT_EQ(first->added.size(), 3);

    const auto stored = list.buses();
    ASSERT_TRUE(stored.ok()) << stored.error().toStdString();
    EXPECT_EQ(*stored, buses);
    ASSERT_TRUE(BusCsv::write(folder + "buses.csv", *stored).ok());
    auto back = BusCsv::read(folder + "buses.csv");
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    BusCsv::checkSets(back.value(), "buses.csv", folder);
    EXPECT_TRUE(back->problems.isEmpty()) << back->problems.join('\n').toStdString();
    std::vector<Bus> read;
    for (const BusCsv::Row& r : back->rows)
        read.push_back(r.bus);
    EXPECT_EQ(read, buses);

    std::vector<Bus> next = read;
    next[1].inService = true;
    const auto again = list.merge(next);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->changed, QStringList{"10"});
    EXPECT_EQ(again->unchanged, (QStringList{"9", "1042"}));
}

TEST_F(FleetRelease, EveryRowThatCannotBeABusIsNamedWithItsLineAndLeftOut)
{
    writeAll(folder + "other.vxset", "not a set");
    const QByteArray csv = "bus,depot,set,codes,in_service,note\n"
                           "1,Gldani,city.vxset,12 37,yes,fine\n"
                           ",Gldani,city.vxset,12,yes,\n"
                           "123456789012345678901234567890123,Gldani,city.vxset,12,yes,\n"
                           "4,Gldani,city.vxset,\"12\t37\",yes,\n"
                           "5,Gldani,city.vxset,12,perhaps,\n"
                           "1,Gldani,city.vxset,12,yes,\n"
                           "7,Gldani,other.vxset,12,yes,\n"
                           "8,Gldani,city.vxset,12 99,yes,\n"
                           "9,Gldani,,12,yes,\n"
                           "10,Gldani,city.vxset,,yes,\n"
                           "11,Gldani,city.vxset,* 12,yes,\n"
                           "\"12\",\"Gld\"\"ani\",city.vxset,*,no,\"multi\nline\"\n"
                           "13,Gldani,city.vxset,61,0,\n";
    auto table = BusCsv::parse(csv, "buses.csv");
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    BusCsv::checkSets(table.value(), "buses.csv", folder);
    const struct {
        int line;
        const char* why;
    } refused[] = {
        {3, "the bus number is empty"},
        {4, "longer than 32 characters"},
        {5, "control character"},
        {6, "in_service is \"perhaps\""},
        {7, "bus 1 is on line 2 already"},
        {10, "bus 9 names no set"},
        {11, "bus 10 serves no code"},
        {12, "* stands for every code and goes alone"},
        {13, "control character"},
        {8, "Cannot open destination set"},
        {9, "bus 8: its set has no destination 99"},
    };
    ASSERT_EQ(table->problems.size(), int(std::size(refused))) << table->problems.join('\n').toStdString();
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        const QString& p = table->problems[int(i)];
        EXPECT_TRUE(p.startsWith(QStringLiteral("buses.csv, line %1: ").arg(refused[i].line))) << p.toStdString();
        EXPECT_TRUE(p.contains(QString::fromUtf8(refused[i].why))) << p.toStdString();
    }
    QStringList kept;
    for (const BusCsv::Row& r : table->rows)
        kept << r.bus.number;
    EXPECT_EQ(kept, (QStringList{"1", "13"}));
    EXPECT_EQ(table->rows[1].bus.inService, false);
    EXPECT_EQ(table->rows[0].bus.set, QDir::cleanPath(folder + "city.vxset"));

    // A table that is not one is refused whole.
    EXPECT_FALSE(BusCsv::parse("bus,depot,codes\n1,a,12\n", "buses.csv").ok());
}

TEST_F(FleetRelease, ASetOfTheVersionBeforeGetsItsIdWhenOpenedForEditingOnly)
{
    set.reset();
    const QString path = folder + "city.vxset";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : {"ALTER TABLE destination DROP COLUMN service", "ALTER TABLE override DROP COLUMN service",
                                "ALTER TABLE version_destination DROP COLUMN service",
                                "ALTER TABLE version_override DROP COLUMN service", "DROP TABLE service_word",
                                "DROP TABLE keep_together", "DROP TABLE via_word", "DROP TABLE code_rule", "DROP TABLE imported_text", "DROP TABLE copy_base", "DROP TABLE copy_origin", "DROP TABLE version_release",
                                "DROP TABLE set_identity", "PRAGMA user_version = 4"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(DestinationSet::open(path, DestinationSet::Access::Read).value()->setId(), QString())
            << "a read-only opening makes no id that the next would not see";
    const QString made = DestinationSet::open(path, DestinationSet::Access::Edit).value()->setId();
    EXPECT_EQ(made.size(), 36);
    EXPECT_EQ(DestinationSet::open(path, DestinationSet::Access::Read).value()->setId(), made);
}

TEST(BusNumbers, SortNaturally)
{
    QStringList numbers{"10", "9", "A12", "A2", "009", "b1", "100", "9a"};
    std::sort(numbers.begin(), numbers.end(), BusList::naturalLess);
    // Equal numbers fall back to the text: 009 before 9.
    EXPECT_EQ(numbers, (QStringList{"009", "9", "9a", "10", "100", "A2", "A12", "b1"}));
}

} // namespace
