// A day at the depot, end to end: a feed imported into a set of the example
// bus, two destinations mended by hand (a text, and an LED beyond column 96
// of the 160 x 19 front), a release sent to the three signs of three buses,
// the bus list imported, a changed feed imported again (the mends survive),
// a second release and one bus brought up to date from the Fleet window.
// After each step: what the virtual boards took is the release byte for
// byte, nothing was cut, the check before Send speaks only of a wrong file,
// `vexel fleet status` and the Fleet window agree, and the visit list names
// every file to send.
#include "BoardProcess.h"

#include "app/DestinationsWindow.h"
#include "app/FleetWindow.h"
#include "app/Settings.h"
#include "cli/RunVexel.h"
#include "sets/DestinationSet.h"
#include "depot/Preflight.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"
#include "fleet/ReleaseNote.h"
#include "session/SetSend.h"
#include "support/EditorFixture.h"
#include "support/ScopedEnv.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>

#include <functional>
#include <map>
#include <memory>

using cli_testing::runVexel;
using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;
using vexel::DestinationsModel;

namespace {

const QStringList Buses{"1042", "1043", "1044"};
const QStringList Signs{"front", "side", "rear"};

// A city's feed as a folder: buses 12 (both ways), 37 and 61 and a metro
// line the import leaves out. The changed feed renames 37 in English and
// sends 61 elsewhere, and adds 88.
void writeFeed(const QString& folder, bool changed)
{
    QDir().mkpath(folder);
    const auto put = [&](const char* name, const QString& text) { writeAll(folder + "/" + name, text.toUtf8()); };
    put("routes.txt", QStringLiteral("route_id,agency_id,route_short_name,route_long_name,route_type\n"
                                     "r12,TT,12,,3\nr37,TT,37,,3\nr61,TT,61,,3\nm1,TM,M1,,1\n") +
                          (changed ? "r88,TT,88,,3\n" : ""));
    put("trips.txt", QStringLiteral("route_id,service_id,trip_id,trip_headsign,direction_id\n"
                                    "r12,wk,t1,აეროპორტი,0\nr12,wk,t2,ვაკე,1\nr37,wk,t3,დიდუბე,0\n"
                                    "m1,wk,t9,ვარკეთილი,0\n") +
                         (changed ? "r61,wk,t6,ნაძალადევი,0\nr88,wk,t8,ორთაჭალა,0\n" : "r61,wk,t6,გლდანი,0\n"));
    put("stop_times.txt", QStringLiteral("trip_id,arrival_time,departure_time,stop_id,stop_sequence,stop_headsign\n"
                                         "t1,08:00:00,08:00:00,s1,1,რუსთაველი\n"));
    put("translations.txt",
        QStringLiteral("table_name,field_name,language,translation,record_id,record_sub_id,field_value\n"
                       "trips,trip_headsign,en,Airport,,,აეროპორტი\n"
                       "trips,trip_headsign,en,%1,t3,,\n"
                       "trips,trip_headsign,en,Gldani,,,გლდანი\n"
                       "trips,trip_headsign,en,Nadzaladevi,,,ნაძალადევი\n"
                       "trips,trip_headsign,en,Ortachala,,,ორთაჭალა\n")
            .arg(changed ? "Didube Central" : "Didube"));
    put("feed_info.txt", QStringLiteral("feed_publisher_name,feed_publisher_url,feed_lang,default_lang,feed_version\n"
                                        "City,https://example.ge,mul,ka,%1\n")
                             .arg(changed ? "2027-03" : "2026-11"));
}

// A row of release.txt's table: what the board checks of a file sent alone.
struct ReleasedFile {
    int length = 0;
    unsigned checksum = 0;
};

std::map<QString, ReleasedFile> releasedFiles(const QString& release)
{
    std::map<QString, ReleasedFile> files;
    for (const QString& line : QString::fromUtf8(readAll(release + "/release.txt")).split('\n')) {
        const QStringList cells = line.split('\t');
        if (cells.size() >= 4 && !line.startsWith('#') && cells[0] != "file")
            files[cells[0]] = {cells[2].toInt(), cells[3].toUInt(nullptr, 16)};
    }
    return files;
}

// The files of one released sign, in the note's order, with the folder.
QStringList signFiles(const QString& release, const QString& sign)
{
    const vexel::ReleaseNote note = vexel::ReleaseNote::parse(readAll(release + "/release.txt"));
    const auto it = note.files.find(sign);
    return it == note.files.end() ? QStringList() : it->second;
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One bus's sign: a virtual board keeping the last message's files.
struct SignBoard {
    explicit SignBoard(const QString& outDir) : out(outDir), process({"--out", outDir, "--log"}) {}
    QString out;
    BoardProcess process;
    QString log;
};

class DepotDay : public frames_fixture::EditorTest {
protected:
    DepotDay()
        : setPath(folder + "bus.vxset"), journal("VEXEL_JOURNAL", (folder + "journal.sqlite").toLocal8Bit())
    {
        session.setJournalPath(folder + "journal.sqlite");
        session.settings().setFlashDelay(0);
        session.settings().setTimeOut(3000);
        for (const QString& bus : Buses)
            for (const QString& sign : Signs) {
                auto& board = boards[bus + " " + sign];
                board = std::make_unique<SignBoard>(folder + "boards/" + bus + "-" + sign);
                EXPECT_TRUE(board->process.started());
            }
    }

    void importFeed(bool changed);
    void mendByHand();
    void releaseSet(const QString& out, int version);
    void sendWithVexel(const QString& bus, const QString& release);
    void expectBoardHolds(const QString& bus, const QString& sign, const QString& release);
    void importBusList();
    void expectFleet(const QString& count, const std::map<QString, QString>& behind);
    void expectVisitNames(const QString& release, const QStringList& buses);
    void wrongFileIsFound(const QString& release, const QString& carried);
    void sendToBusFromFleetWindow(const QString& bus, const QString& release);

    DestinationsWindow* openDestinations();
    FleetWindow* fleetWindow();
    std::map<QString, QString> windowFleet();

    QString setPath;
    testing_support::ScopedEnv journal;
    std::map<QString, std::unique_ptr<SignBoard>> boards;
};

void DepotDay::importFeed(bool changed)
{
    const QString feed = folder + (changed ? "feed2" : "feed1");
    writeFeed(feed, changed);
    const auto shown = runVexel({"set", "gtfs", setPath, feed, "--route-type", "3"});
    ASSERT_EQ(shown.exit, 0) << shown.err.toStdString();
    const auto applied = runVexel({"set", "gtfs", setPath, feed, "--route-type", "3", "--apply"});
    ASSERT_EQ(applied.exit, 0) << applied.err.toStdString();
    EXPECT_EQ(applied.out, shown.out) << "the difference shown is the one applied";
    if (!changed) {
        EXPECT_TRUE(applied.err.contains("Applied: 4 added, 0 changed")) << applied.err.toStdString();
        return;
    }
    // The text mended by hand is held against the feed's new one.
    const QString held = shown.out.split('\n').filter(QRegularExpression("^~ 37:")).value(0);
    EXPECT_TRUE(held.contains("\"Didube Central\"") && held.endsWith("held)")) << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains(QRegularExpression("^\\+ 88 ", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(shown.out.contains(QRegularExpression("^~ 61:", QRegularExpression::MultilineOption)));
    const auto exported = runVexel({"set", "export", setPath, "--csv", folder + "after.csv"});
    ASSERT_EQ(exported.exit, 0) << exported.err.toStdString();
    EXPECT_TRUE(readAll(folder + "after.csv").contains("\n\"37\",\"37\",\"დიდუბე\",\"Didube Station\","))
        << readAll(folder + "after.csv").toStdString();
}

DestinationsWindow* DepotDay::openDestinations()
{
    openBlank();
    prompter.fileAnswers.push_back(setPath);
    testing_support::controlNamed<QAction>(form, "Destinations1")->trigger();
    return form.findChild<DestinationsWindow*>(QStringLiteral("Destinations_Window"));
}

// A Latin name typed into the table, and the front of 12 edited in the main
// editor on the sign's own 160 x 19 board.
void DepotDay::mendByHand()
{
    DestinationsWindow* w = openDestinations();
    ASSERT_NE(w, nullptr);
    vexel::DestinationsSession& set = *w->session();
    auto* table = w->findChild<QTableView*>(QStringLiteral("Destinations_Table"));
    const QModelIndex en =
        set.sorted().mapFromSource(set.model().index(set.rowOf("37"), DestinationsModel::DestinationEn));
    ASSERT_TRUE(table->model()->setData(en, QStringLiteral("Didube Station")));

    w->selectRow(set.rowOf("12"));
    int front = 0;
    while (front < static_cast<int>(set.signs().size()) && set.signs()[static_cast<std::size_t>(front)].name != "front")
        ++front;
    w->findChild<QComboBox*>(QStringLiteral("Sign_Box"))->setCurrentIndex(front);
    w->findChild<QPushButton*>(QStringLiteral("Edit_Button"))->click();
    ASSERT_EQ(prompter.count("error"), 0) << prompter.texts("error").join('\n').toStdString();
    ASSERT_EQ(session.settings().boardWidth(), 160);
    ASSERT_FALSE(litOnBoard(150, 18));
    press(Qt::LeftButton, Qt::AltModifier, cell(150, 18));
    release(Qt::LeftButton, Qt::AltModifier, cell(150, 18));
    ASSERT_TRUE(litOnBoard(150, 18));
    testing_support::controlNamed<QAction>(form, "Save1")->trigger();
    EXPECT_EQ(prompter.count("confirm"), 0) << "nothing was cut";
    ASSERT_NE(set.overrideOf("12", "front"), nullptr);

    // The set goes back to the command line.
    testing_support::controlNamed<QAction>(form, "New1")->trigger();
    w->close();
    EXPECT_FALSE(QFile::exists(vexel::DestinationSet::lockPath(setPath)));
}

// Released by `vexel set release`; every file of every sign at its sign's
// size and passing the check before Send; the LED lit by hand on the front
// of 12 is there.
void DepotDay::releaseSet(const QString& out, int version)
{
    const auto released = runVexel({"set", "release", setPath, "--out", out});
    ASSERT_EQ(released.exit, 0) << released.err.toStdString();
    EXPECT_TRUE(released.err.contains(QStringLiteral("as version %1").arg(version))) << released.err.toStdString();
    const vexel::ReleaseNote note = vexel::ReleaseNote::parse(readAll(out + "/release.txt"));
    ASSERT_EQ(note.signs.size(), 3u);
    QStringList paths;
    for (const vexel::TargetSign& sign : note.signs)
        for (const QString& file : signFiles(out, sign.name)) {
            paths << out + "/" + sign.name + "/" + file;
            const auto record = vexel::ImageFile::load(paths.back());
            ASSERT_TRUE(record) << record.error().toStdString();
            EXPECT_EQ(vexel::Preflight::boardSizeOf(*record), std::make_pair(sign.width, sign.height))
                << paths.back().toStdString();
        }
    const auto checked = runVexel(QStringList{"check"} + paths);
    EXPECT_EQ(checked.exit, 0);
    EXPECT_EQ(checked.out, "") << "the check before Send finds nothing in a release";

    const auto front12 = vexel::ImageFile::load(out + "/front/12.img");
    ASSERT_TRUE(front12);
    const int header = front12->headerLine(0);
    vexel::PixelArray bits;
    ASSERT_TRUE(front12->readFrameBits(header, front12->headerAt(header)->rect, bits));
    EXPECT_TRUE(bits.lit(150, 18)) << "the LED lit by hand beyond column 96";
}

// `vexel send --bus --sign` of each sign's whole folder to the bus's boards.
void DepotDay::sendWithVexel(const QString& bus, const QString& release)
{
    for (const QString& sign : Signs) {
        QStringList files;
        for (const QString& file : signFiles(release, sign))
            files << release + "/" + sign + "/" + file;
        ASSERT_FALSE(files.isEmpty());
        const auto sent = runVexel(QStringList{"send", "--port", boards[bus + " " + sign]->process.path(), "--delay",
                                               "0", "--bus", bus, "--sign", sign} +
                                   files);
        ASSERT_EQ(sent.exit, 0) << sent.err.toStdString();
        expectBoardHolds(bus, sign, release);
    }
}

// The board's files are the release's, byte for byte and in order, and its
// log shows the figures release.txt gives: the files' data blocks joined
// under one count byte, whose checksums add up.
void DepotDay::expectBoardHolds(const QString& bus, const QString& sign, const QString& release)
{
    SCOPED_TRACE((bus + " " + sign).toStdString());
    SignBoard& board = *boards[bus + " " + sign];
    const QStringList files = signFiles(release, sign);
    const std::map<QString, ReleasedFile> figures = releasedFiles(release);
    int length = 1;
    unsigned sum = 0;
    for (int i = 0; i < files.size(); ++i) {
        const QString path = release + "/" + sign + "/" + files[i];
        EXPECT_EQ(readAll(board.out + QStringLiteral("/%1.img").arg(i + 1)), readAll(path)) << files[i].toStdString();
        const auto it = figures.find(sign + "/" + files[i]);
        ASSERT_NE(it, figures.end()) << files[i].toStdString();
        length += it->second.length - 1;
        sum += it->second.checksum;
    }
    EXPECT_FALSE(QFile::exists(board.out + QStringLiteral("/%1.img").arg(files.size() + 1)));
    const QString checksum = QStringLiteral("%1").arg(sum % 65536, 4, 16, QLatin1Char('0')).toUpper();
    const QString expected =
        QStringLiteral("DATA %1 bytes, %2 files, checksum %3 -> OK").arg(length).arg(files.size()).arg(checksum);
    EXPECT_TRUE(QTest::qWaitFor([&] { return (board.log += board.process.log()).endsWith(expected + "\n"); }, 5000))
        << board.log.toStdString() << "wants " << expected.toStdString();
}

void DepotDay::importBusList()
{
    writeAll(folder + "buses.csv", "bus,depot,set,codes,in_service,note\n"
                                   "1042,Gldani,bus.vxset,*,yes,\n"
                                   "1043,Gldani,bus.vxset,*,yes,\n"
                                   "1044,Gldani,bus.vxset,12 37,yes,\n");
    const auto imported = runVexel({"fleet", "import", folder + "buses.csv"});
    ASSERT_EQ(imported.exit, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.startsWith("Buses: 3 added")) << imported.out.toStdString();
}

FleetWindow* DepotDay::fleetWindow()
{
    if (!form.findChild<FleetWindow*>(QStringLiteral("Fleet_Window")))
        testing_support::controlNamed<QAction>(form, "Fleet1")->trigger();
    return form.findChild<FleetWindow*>(QStringLiteral("Fleet_Window"));
}

// The window's rows as its Export CSV writes them, "bus sign" to the
// carried version, the latest and the codes behind, in the command's words.
std::map<QString, QString> DepotDay::windowFleet()
{
    prompter.fileAnswers.push_back(folder + "window-fleet.csv");
    fleetWindow()->Button_Export->click();
    const QStringList lines = QString::fromUtf8(readAll(folder + "window-fleet.csv")).split("\r\n", Qt::SkipEmptyParts);
    std::map<QString, QString> rows;
    if (lines.isEmpty())
        return rows;
    const QStringList header = lines[0].split(',');
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split(',');
        for (const QString& sign : Signs) {
            QString carried = cells.value(header.indexOf(sign + " version"));
            carried.replace("none", "-").replace(" (mixed)", "*");
            rows[cells[0] + " " + sign] = carried + "|" + cells.value(header.indexOf(sign + " latest")) + "|" +
                                          cells.value(header.indexOf(sign + " behind"));
        }
    }
    return rows;
}

// `vexel fleet status` and the Fleet window say the same of every bus and
// sign, and count alike; `behind` names the codes behind where any are.
void DepotDay::expectFleet(const QString& count, const std::map<QString, QString>& behind)
{
    const auto status = runVexel({"fleet", "status", "--csv"});
    EXPECT_EQ(status.exit, behind.empty() ? 0 : 1) << status.err.toStdString();
    EXPECT_EQ(status.err.trimmed().section('\n', -1), count);
    std::map<QString, QString> command;
    for (const QString& line : status.out.split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QStringList cells = line.split(',');
        ASSERT_GE(cells.size(), 6) << line.toStdString();
        command[cells[0] + " " + cells[2]] = cells[4] + "|" + cells[5] + "|" + cells[3];
        const auto it = behind.find(cells[0] + " " + cells[2]);
        EXPECT_EQ(cells[3], it == behind.end() ? QString() : it->second) << line.toStdString();
    }
    EXPECT_EQ(command.size(), static_cast<std::size_t>(Buses.size() * Signs.size()));

    FleetWindow* window = fleetWindow();
    ASSERT_NE(window, nullptr);
    window->Refresh_Click();
    EXPECT_EQ(window->Label_Counts->text(), count);
    EXPECT_EQ(windowFleet(), command);
}

// The visit list's PDF names each file of each sign of each bus behind,
// every destination of the release since they serve all of them.
void DepotDay::expectVisitNames(const QString& release, const QStringList& buses)
{
    const auto visit =
        runVexel({"fleet", "visit", "--depot", "Gldani", "--release", release, "--pdf", folder + "visit.pdf"});
    ASSERT_EQ(visit.exit, 0) << visit.err.toStdString();
    QStringList listed;
    for (const QString& line : visit.out.split('\n', Qt::SkipEmptyParts))
        listed << line.section(' ', 1, 1);
    listed.removeDuplicates();
    EXPECT_EQ(listed.join(' ').toStdString(), buses.join(' ').toStdString()) << visit.out.toStdString();
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) << "poppler-utils";
    const QStringList words = pdfText(folder + "visit.pdf").split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    for (const QString& bus : Buses)
        EXPECT_EQ(words.count(bus), buses.contains(bus) ? 1 : 0) << bus.toStdString();
    QStringList all;
    for (const QString& sign : Signs)
        all += signFiles(release, sign);
    ASSERT_FALSE(all.isEmpty());
    for (const QString& file : all)
        EXPECT_EQ(words.count(file), all.count(file) * buses.size()) << file.toStdString();
}

// A copy of the release with the front's 61 in the side's place: the
// command's check and the editor's before Send each find that one file,
// and the board keeps `carried`.
void DepotDay::wrongFileIsFound(const QString& release, const QString& carried)
{
    const QString mixed = folder + "mixed";
    for (QDirIterator it(release, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString from = it.next();
        const QString to = mixed + from.mid(release.size());
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
    writeAll(mixed + "/side/61.img", readAll(release + "/front/61.img"));
    QStringList paths;
    for (const QString& file : signFiles(mixed, "side"))
        paths << mixed + "/side/" + file;
    const auto checked = runVexel(QStringList{"check"} + paths);
    EXPECT_EQ(checked.exit, 1);
    EXPECT_EQ(checked.out.count('\n'), 1) << checked.out.toStdString();
    EXPECT_TRUE(checked.out.contains("61.img")) << checked.out.toStdString();

    const auto list = vexel::SetSend::choose(mixed + "/side/", {"12", "61"});
    ASSERT_TRUE(list) << list.error().toStdString();
    ASSERT_TRUE(vexel::SetSend::putOnSendList(session, *list));
    session.setSignFor(list->folder, {"side", 112, 16});
    ui.Form2->ComboBox1->setEditText(boards["1042 side"]->process.path());
    prompter.clear();
    ui.Button10->click();
    ASSERT_EQ(prompter.count("decide"), 1) << "the operator is asked, and cancels";
    EXPECT_EQ(prompter.texts("decide")[0].count("61.img"), 1) << prompter.texts("decide")[0].toStdString();
    EXPECT_FALSE(prompter.texts("decide")[0].contains("12.img"));
    expectBoardHolds("1042", "side", carried); // nothing was sent
}

// View > Fleet..., the bus chosen, "Send to this bus" for each sign, each
// going to that sign's board through the check before Send.
void DepotDay::sendToBusFromFleetWindow(const QString& bus, const QString& release)
{
    FleetWindow* window = fleetWindow();
    ASSERT_NE(window, nullptr);
    window->Refresh_Click();
    prompter.clear();
    for (const QString& sign : Signs) {
        window->Select_Bus(bus);
        ASSERT_EQ(window->Selected_Bus(), bus);
        ui.Form2->ComboBox1->setEditText(boards[bus + " " + sign]->process.path());
        window->Combo_Sign->setCurrentText(sign);
        window->Button_Send->click();
        EXPECT_EQ(prompter.count("decide"), 0) << prompter.texts("decide").join('\n').toStdString();
        EXPECT_EQ(prompter.count("error"), 0) << prompter.texts("error").join('\n').toStdString();
        expectBoardHolds(bus, sign, release);
    }
    // The open window follows the editor's sends by itself.
    const QString count = "2 of 3 buses up to date on every sign";
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Label_Counts->text() == count; }, 5000))
        << window->Label_Counts->text().toStdString();
}

} // namespace

TEST_F(DepotDay, FromAFeedToTheBoardsOfThreeBusesAndBack)
{
    const QString r1 = folder + "release-1", r2 = folder + "release-2";
    ASSERT_EQ(runVexel({"set", "new", setPath, VEXEL_EXAMPLES "/bus-profile.json"}).exit, 0);
    for (const auto& [name, step] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"import the feed", [&] { importFeed(false); }},
             {"mend two destinations by hand", [&] { mendByHand(); }},
             {"release", [&] { releaseSet(r1, 1); }},
             {"send to every bus", [&] { for (const QString& bus : Buses) sendWithVexel(bus, r1); }},
             {"import the bus list", [&] { importBusList(); }},
             {"the fleet is up to date", [&] { expectFleet("3 of 3 buses up to date on every sign", {}); }},
             {"import the changed feed", [&] { importFeed(true); }},
             {"release again", [&] { releaseSet(r2, 2); }},
             {"the image made by hand is as it was",
              [&] { EXPECT_EQ(readAll(r2 + "/front/12.img"), readAll(r1 + "/front/12.img")); }},
             {"two buses are behind",
              [&] {
                  expectFleet("1 of 3 buses up to date on every sign",
                              {{"1042 front", "61 88"}, {"1042 side", "61 88"}, {"1042 rear", "88"},
                               {"1043 front", "61 88"}, {"1043 side", "61 88"}, {"1043 rear", "88"}});
              }},
             {"the visit list of both", [&] { expectVisitNames(r2, {"1042", "1043"}); }},
             {"a wrong file is found", [&] { wrongFileIsFound(r2, r1); }},
             {"send to one bus", [&] { sendToBusFromFleetWindow("1042", r2); }},
             {"one bus is behind",
              [&] {
                  expectFleet("2 of 3 buses up to date on every sign",
                              {{"1043 front", "61 88"}, {"1043 side", "61 88"}, {"1043 rear", "88"}});
              }},
             {"the visit list of the other", [&] { expectVisitNames(r2, {"1043"}); }},
         }) {
        SCOPED_TRACE(name);
        step();
        if (HasFatalFailure())
            return;
    }
}
