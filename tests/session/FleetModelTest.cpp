// The Fleet window's table without a display: the counts line under each
// filter, what a row shows, a reload after a new send keeping the rows in
// step with the journal, and the CSV of the rows shown.
#include "session/FleetModel.h"
#include "session/FleetSession.h"
#include "fleet/SendJournal.h"

#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace vexel;

namespace {

FleetSignState sign(const char* name, int carried, int latest, QStringList behind = {})
{
    FleetSignState s;
    s.sign = QString::fromUtf8(name);
    s.carriedVersion = carried;
    s.latestVersion = latest;
    s.behind = std::move(behind);
    if (!s.behind.isEmpty())
        s.since = QDateTime(QDate(2026, 11, 2), QTime(8, 0), Qt::UTC);
    return s;
}

FleetBusState bus(const char* number, const char* depot, const char* set, std::vector<FleetSignState> signs)
{
    FleetBusState b;
    b.bus.number = QString::fromUtf8(number);
    b.bus.depot = QString::fromUtf8(depot);
    b.bus.set = QString::fromUtf8(set);
    b.bus.codes = {QStringLiteral("12"), QStringLiteral("37")};
    b.signs = std::move(signs);
    return b;
}

std::vector<FleetBusState> smallFleet()
{
    std::vector<FleetBusState> fleet{
        bus("101", "North", "/sets/city.vxset", {sign("front", 7, 7), sign("rear", 7, 7)}),
        bus("102", "North", "/sets/city.vxset", {sign("front", 7, 7), sign("rear", 6, 7, {"12"})}),
        bus("103", "South", "/sets/city.vxset", {sign("front", 0, 7, {"12", "37"}), sign("rear", 0, 7, {"12"})}),
        bus("104", "South", "/sets/airport.vxset", {sign("front", 3, 3), sign("side", 3, 3)}),
        bus("900", "", "/sets/city.vxset", {sign("front", 7, 7), sign("rear", 7, 7)}),
    };
    fleet[4].listed = false;
    fleet[2].bus.note = QStringLiteral("in the workshop, back Monday");
    fleet[2].bus.inService = false;
    return fleet;
}

FleetModel::Loader fixed(std::vector<FleetBusState> fleet)
{
    return [fleet] { return Expected<std::vector<FleetBusState>>(fleet); };
}

QStringList busesShown(const FleetModel& model)
{
    QStringList buses;
    for (int row = 0; row < model.rowCount(); ++row)
        buses << model.index(row, FleetModel::BusColumn).data().toString();
    return buses;
}

} // namespace

TEST(FleetModel, EachFilterShowsItsBusesAndCountsThem)
{
    struct Case {
        const char* name;
        FleetFilter filter;
        QStringList buses;
        QString counts;
    };
    // A bus counts when no sign is behind its own set's latest release;
    // one only the journal knows does not.
    const std::vector<Case> cases{
        {"everything", {}, {"101", "102", "103", "104", "900"}, "2 of 5 buses up to date on every sign"},
        {"a depot", {"North", {}, {}, false}, {"101", "102"}, "1 of 2 buses up to date on every sign"},
        {"a set", {{}, "/sets/airport.vxset", {}, false}, {"104"}, "1 of 1 bus up to date on every sign"},
        {"behind only", {{}, {}, {}, true}, {"102", "103"}, "0 of 2 buses up to date on every sign"},
        {"behind in a depot", {"South", {}, {}, true}, {"103"}, "0 of 1 bus up to date on every sign"},
        {"no bus", {"East", {}, {}, false}, {}, "No buses."},
    };
    FleetModel model(fixed(smallFleet()));
    ASSERT_TRUE(model.reload().ok());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model.setFilter(c.filter);
        EXPECT_EQ(busesShown(model), c.buses);
        EXPECT_EQ(model.countsText(), c.counts);
    }
    EXPECT_EQ(model.depots(), QStringList({"North", "South"}));
    EXPECT_EQ(model.sets(), QStringList({"/sets/airport.vxset", "/sets/city.vxset"}));
}

TEST(FleetModel, CountsAThousandBusesWithTheSeparator)
{
    std::vector<FleetBusState> fleet;
    for (int i = 0; i < 1020; ++i)
        fleet.push_back(bus("", "North", "/sets/city.vxset",
                            {sign("front", 6, 7, i < 312 ? QStringList() : QStringList{"12"}), sign("rear", 7, 7)}));
    // Codes sent from different releases, all with the latest images.
    fleet[0].signs[1].mixed = true;
    FleetModel model(fixed(fleet));
    ASSERT_TRUE(model.reload().ok());
    EXPECT_EQ(model.countsText(), "312 of 1,020 buses up to date on every sign");
}

TEST(FleetModel, ARowShowsTheVersionPerSignAndMarksWhatIsBehind)
{
    FleetModel model(fixed(smallFleet()));
    ASSERT_TRUE(model.reload().ok());
    // Every sign of the buses shown, in the order they come.
    ASSERT_EQ(model.columnCount(), FleetModel::FirstSign + 3);
    EXPECT_EQ(model.headerData(FleetModel::FirstSign + 2, Qt::Horizontal).toString(), "side");

    const int row = model.rowOf("102");
    const QModelIndex front = model.index(row, FleetModel::FirstSign);
    const QModelIndex rear = model.index(row, FleetModel::FirstSign + 1);
    EXPECT_EQ(front.data().toString(), "7");
    EXPECT_FALSE(front.data(FleetModel::BehindRole).toBool());
    EXPECT_EQ(rear.data().toString(), "6");
    EXPECT_TRUE(rear.data(FleetModel::BehindRole).toBool());
    EXPECT_TRUE(rear.data(Qt::ToolTipRole).toString().contains("latest is version 7")) << rear.data(Qt::ToolTipRole).toString().toStdString();
    EXPECT_FALSE(model.index(row, FleetModel::FirstSign + 2).data().isValid()) << "102's set has no side sign";
    EXPECT_EQ(model.index(row, FleetModel::Set).data().toString(), "city");

    EXPECT_EQ(model.index(model.rowOf("103"), FleetModel::FirstSign).data().toString(), "none");
    EXPECT_EQ(model.index(model.rowOf("103"), FleetModel::InService).data().toString(), "no");
    EXPECT_EQ(model.index(model.rowOf("103"), FleetModel::Note).data().toString(), "in the workshop, back Monday");
    EXPECT_EQ(model.index(model.rowOf("900"), FleetModel::Note).data().toString(), "not in the bus list");
    EXPECT_EQ(model.index(model.rowOf("900"), FleetModel::BusColumn).data(FleetModel::BusRole).toString(), "900");
}

TEST(FleetModel, AFailedReadKeepsTheRowsShown)
{
    bool fail = false;
    FleetModel model([&]() -> Expected<std::vector<FleetBusState>> {
        if (fail)
            return Expected<std::vector<FleetBusState>>::failure("the journal server cannot be reached");
        return smallFleet();
    });
    ASSERT_TRUE(model.reload().ok());
    fail = true;
    const Status read = model.reload();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error(), "the journal server cannot be reached");
    EXPECT_EQ(model.rowCount(), 5);
}

// The fleet as the test works it out from the journal: what each bus's
// signs carry is the version of the last send the board took.
TEST(FleetModel, ANewSendShowsInItsRowAtTheNextReload)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.filePath("journal.sqlite"), QString(), QStringLiteral("depot-pc"));
    const auto load = [&]() -> Expected<std::vector<FleetBusState>> {
        const Expected<std::vector<JournalEntry>> entries = journal.entries();
        if (!entries)
            return entries.status();
        std::map<QString, int> front{{"101", 0}, {"102", 0}};
        for (const JournalEntry& e : *entries)
            if (e.succeeded())
                front[e.bus] = e.version;
        std::vector<FleetBusState> fleet;
        for (const auto& [number, version] : front)
            fleet.push_back(bus(number.toUtf8().constData(), "North", "/sets/city.vxset",
                                {sign("front", version, 2, version == 2 ? QStringList() : QStringList{"12"})}));
        return fleet;
    };
    FleetSession session({load, {}, [&] { return journal; }});
    ASSERT_TRUE(session.reload().ok());
    EXPECT_EQ(session.model().countsText(), "0 of 2 buses up to date on every sign");

    JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.bus = QStringLiteral("102");
    e.sign = QStringLiteral("front");
    e.version = 2;
    e.files = {QStringLiteral("12.img")};
    e.bytes = 300;
    e.checksum = 0x1234;
    e.reply = QStringLiteral("OK");
    ASSERT_TRUE(journal.record(e).ok());
    e.reply = QStringLiteral("CS"); // refused by the board: carries nothing new
    e.bus = QStringLiteral("101");
    ASSERT_TRUE(journal.record(e).ok());

    ASSERT_TRUE(session.reload().ok());
    const FleetModel& model = session.model();
    EXPECT_EQ(model.index(model.rowOf("102"), FleetModel::FirstSign).data().toString(), "2");
    EXPECT_FALSE(model.index(model.rowOf("102"), FleetModel::FirstSign).data(FleetModel::BehindRole).toBool());
    EXPECT_EQ(model.index(model.rowOf("101"), FleetModel::FirstSign).data().toString(), "none");
    EXPECT_EQ(model.countsText(), "1 of 2 buses up to date on every sign");
    // The bus's history: its sends only.
    const Expected<std::vector<JournalEntry>> history = session.history("102");
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_EQ(history->size(), 1u);
    EXPECT_EQ(history->front().checksum, 0x1234);
}

TEST(FleetSession, TheCsvListsTheRowsShownQuotedAsSpreadsheetsRead)
{
    std::vector<FleetBusState> fleet = smallFleet();
    fleet[0].bus.note = QStringLiteral("new seats, \"quiet\" engine");
    FleetSession session({fixed(fleet), {}, {}});
    ASSERT_TRUE(session.reload().ok());
    FleetFilter north;
    north.depot = QStringLiteral("North");
    session.model().setFilter(north);

    QTemporaryDir dir;
    const QString path = dir.filePath("fleet.csv");
    ASSERT_TRUE(session.exportCsv(path).ok());
    const QStringList lines = QString::fromUtf8(testing_support::readAll(path)).split("\r\n");
    ASSERT_EQ(lines.size(), 4) << "header, two buses, the final line end";
    EXPECT_EQ(lines[0], "bus,depot,set,in_service,listed,note,front version,front latest,front behind,"
                        "rear version,rear latest,rear behind");
    EXPECT_EQ(lines[1], "101,North,/sets/city.vxset,yes,yes,\"new seats, \"\"quiet\"\" engine\",7,7,,7,7,");
    EXPECT_EQ(lines[2], "102,North,/sets/city.vxset,yes,yes,,7,7,,6,7,12");
    EXPECT_FALSE(session.exportCsv(dir.filePath("no/such/folder/fleet.csv")).ok());
}
