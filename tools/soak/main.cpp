// vexel-soak: the real editor window under random but valid use for a
// given time, answering every dialog, sending to the virtual board. At the
// end the window must still be running, every image file in the scratch
// home must load, and the memory must have grown by less than a limit
// since the first minute. Usage:
//   vexel-soak [--seconds N] [--seed S] [--home DIR] [--history-bytes N]
//              [--warm-up N] [--rss-growth-mib N]
// The same seed makes the same choices; a failure is replayed with it.
#include "SoakPrompter.h"
#include "WindowSoak.h"

#include "app/Graphic_Editor.h"
#include "sets/DestinationSet.h"
#include "sets/SetCsv.h"
#include "sets/SignProfile.h"
#include "document/ImageFile.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <random>
#include <thread>

#include <csignal>
#include <malloc.h>
#include <sys/prctl.h>

namespace {

long residentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// What the allocator hands out now, in KiB: beside the resident figure it
// tells a leak (both climb) from freed memory the heap keeps (only RSS does).
long heapInUseKib()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

// The last lines of the log, for a hang report.
std::mutex logMutex;
std::deque<std::string> recent;

void logLine(const QString& text)
{
    const std::string line = text.toStdString();
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    const std::lock_guard<std::mutex> lock(logMutex);
    recent.push_back(line);
    if (recent.size() > 40)
        recent.pop_front();
}

// Qt's own warnings go into the log; the offscreen platform's notes on what
// it cannot do are left out.
void qtMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        logLine(QStringLiteral("  qt: ") + text);
}

bool copyInto(const QString& from, const QString& folder)
{
    return QFile::copy(from, folder + QLatin1Char('/') + QFileInfo(from).fileName());
}

// What the file dialogs offer: the examples, a destination set made from
// the example route list, and a small transit feed.
bool makeHome(const QString& home)
{
    const QString images = home + QStringLiteral("/images");
    QDir().mkpath(images);
    QDir().mkpath(home + QStringLiteral("/out"));
    for (const QString& name : QDir(QStringLiteral(VEXEL_EXAMPLES)).entryList(QDir::Files))
        copyInto(QStringLiteral(VEXEL_EXAMPLES "/") + name, images);
    const auto signs = vexel::SignProfile::read(images + QStringLiteral("/bus-profile.json"));
    if (!signs)
        return false;
    {
        auto set = vexel::DestinationSet::create(images + QStringLiteral("/bus.vxset"), *signs);
        if (!set || !vexel::SetCsv::importFile(**set, images + QStringLiteral("/routes.csv")))
            return false;
    }
    const QString feed = home + QStringLiteral("/feed");
    QDir().mkpath(feed);
    const std::pair<const char*, const char*> files[] = {
        { "routes.txt",
            "route_id,agency_id,route_short_name,route_long_name,route_type\nr12,TT,12,,3\nr88,TT,88,,3\n" },
        { "trips.txt",
            "route_id,service_id,trip_id,trip_headsign,direction_id\nr12,wk,t1,Airport,0\nr12,wk,t2,Vake,1\n"
            "r88,wk,t8,Ortachala,0\n" },
    };
    for (const auto& [name, text] : files) {
        QFile f(feed + QLatin1Char('/') + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(text) < 0)
            return false;
    }
    return true;
}

// The scratch home --home names, else a new one in the temporary folder.
QString homeFromArguments(int argc, char** argv)
{
    QString home;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--home")
            home = QDir(QString::fromLocal8Bit(argv[i + 1])).absolutePath();
    if (home.isEmpty())
        home = QDir::temp().filePath(QStringLiteral("vexel-soak-%1").arg(QCoreApplication::applicationPid()));
    return home;
}

// Empties the home and marks it as a soak's; false (said) when it is a
// folder a soak did not make or cannot be written.
bool claimScratchHome(const QString& home)
{
    // Emptied only when a soak made it: a mistyped --home must not wipe a folder.
    if (QDir(home).exists() && !QDir(home).isEmpty() && !QFile::exists(home + QStringLiteral("/.vexel-soak"))) {
        std::fprintf(
            stderr, "vexel-soak: %s is not a soak's scratch home; give an empty or new folder\n", qPrintable(home));
        return false;
    }
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    if (QFile marker(home + QStringLiteral("/.vexel-soak")); !marker.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "vexel-soak: cannot write into %s\n", qPrintable(home));
        return false;
    }
    return true;
}

// Everything the editor keeps for the user goes into the scratch home:
// settings, fonts, the journal. Set before Qt reads the environment.
void keepEverythingIn(const QString& home)
{
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toLocal8Bit());
    QDir().mkpath(home + QStringLiteral("/.runtime"));
    QFile::setPermissions(home + QStringLiteral("/.runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (home + QStringLiteral("/.runtime")).toLocal8Bit());
    qputenv("VEXEL_JOURNAL", (home + QStringLiteral("/journal.sqlite")).toLocal8Bit());
}

struct SoakOptions {
    int seconds = 60;
    quint32 seed = 0;
    int warmUp = 60;
    long growthLimitKib = 0;
    qulonglong historyBytes = 0;
};

SoakOptions readOptions(const QApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random use of the real editor window, for a given time."));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(
        QStringLiteral("seconds"), QStringLiteral("How long to act."), QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"), QStringLiteral("The random seed (default: from the clock)."), QStringLiteral("S"));
    const QCommandLineOption homeOption(
        QStringLiteral("home"), QStringLiteral("The scratch home, emptied first."), QStringLiteral("DIR"));
    const QCommandLineOption historyOption(QStringLiteral("history-bytes"),
        QStringLiteral("The undo history's limit (8 MiB)."), QStringLiteral("N"), QString::number(8 * 1024 * 1024));
    const QCommandLineOption warmOption(QStringLiteral("warm-up"),
        QStringLiteral("Seconds before the first memory reading (60, at most a third of the run)."),
        QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption growthOption(QStringLiteral("rss-growth-mib"),
        QStringLiteral("Growth of resident memory allowed after the warm-up (50)."), QStringLiteral("N"),
        QStringLiteral("50"));
    parser.addOptions({ secondsOption, seedOption, homeOption, historyOption, warmOption, growthOption });
    parser.process(app);
    SoakOptions options;
    options.seconds = std::max(1, parser.value(secondsOption).toInt());
    options.seed = parser.isSet(seedOption) ? parser.value(seedOption).toUInt()
                                            : static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
    options.warmUp = std::clamp(parser.value(warmOption).toInt(), 1, std::max(1, options.seconds / 3));
    options.growthLimitKib = parser.value(growthOption).toLong() * 1024;
    options.historyBytes = parser.value(historyOption).toULongLong();
    return options;
}

// Starts the virtual board and returns its terminal, empty when it did not start.
QString startBoard(QProcess& board)
{
    // The board goes with the soak, even when the soak is killed or aborts.
    board.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    board.start(QStringLiteral(VEXEL_BOARD_TOOL), { QStringLiteral("--pty") });
    board.waitForReadyRead(5000);
    return QString::fromUtf8(board.readLine()).trimmed();
}

// The editor's settings: the examples' folder and the board on `pty`.
bool writeSettings(const QString& home, const QString& pty)
{
    QFile ini(home + QStringLiteral("/Lumaro.ini"));
    if (!ini.open(QIODevice::WriteOnly)
        || ini.write(QStringLiteral("[Settings]\nData_Filename_Path=%1/images/\nData_Filename=airport12.img\nGrid=1\n"
                                    "Frame_bounds=1\nCOM_Port=%2\nTime_Out=1000\n")
                         .arg(home, pty)
                         .toLocal8Bit())
            < 0)
        return false;
    ini.close();
    return true;
}

// A hang: the event loop stops turning. The last actions are printed
// and the run ends with a core.
std::thread startWatchdog(const std::atomic<qint64>& beat, const std::atomic<bool>& done, quint32 seed)
{
    return std::thread([&beat, &done, seed] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            if (QDateTime::currentMSecsSinceEpoch() - beat > 60000) {
                const std::lock_guard<std::mutex> lock(logMutex);
                std::fprintf(stderr,
                    "vexel-soak: HANG, the event loop stood still for 60 s (seed %u); the last actions:\n", seed);
                for (const std::string& line : recent)
                    std::fprintf(stderr, "  %s\n", line.c_str());
                std::abort();
            }
        }
    });
}

struct RunOutcome {
    bool finished = false;
    long warmKib = -1;
    long endKib = -1;
};

// Drives the window for the soak's time with the memory readings and the
// guards against a run that cannot end, and returns when the soak ends.
RunOutcome runSoak(QApplication& app, WindowSoak& soak, const SoakOptions& options)
{
    RunOutcome outcome;
    QTimer::singleShot(options.warmUp * 1000 + 500, [&] {
        outcome.warmKib = residentKib();
        logLine(QStringLiteral("resident memory after %1 s: %2 KiB").arg(options.warmUp).arg(outcome.warmKib));
    });
    // The trend, minute by minute: a leak climbs, a cache levels off.
    QTimer minutes;
    int minute = 0;
    QObject::connect(&minutes, &QTimer::timeout,
                     [&] { logLine(QStringLiteral("resident memory at minute %1: %2 KiB (heap in use %3 KiB)")
                                     .arg(++minute)
                                     .arg(residentKib())
                                     .arg(heapInUseKib()));
                     });
    minutes.start(60000);
    QObject::connect(&soak, &WindowSoak::finished, [&] {
        outcome.finished = true;
        QApplication::exit(0);
    });
    // A run that cannot end: a dialog or a loop that never lets go.
    QTimer::singleShot((options.seconds + 120) * 1000, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        logLine(QStringLiteral("FAIL: the run did not end two minutes after its time; open dialog: %1")
                    .arg(modal ? QString::fromLatin1(modal->metaObject()->className()) : QStringLiteral("none")));
        std::abort();
    });
    // The start-up work runs 100 ms after the window shows.
    QTimer::singleShot(500, [&] { soak.start(options.seconds); });
    QApplication::setQuitOnLastWindowClosed(false);
    app.exec();
    outcome.endKib = residentKib();
    return outcome;
}

// Every image file in the scratch home: the ones the editor saved, and
// the ones a release wrote. False when one does not load.
bool checkImages(const QString& home, QStringList written)
{
    bool ok = true;
    int images = 0;
    QDirIterator it(home, { QStringLiteral("*.img") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++images;
        const auto loaded = vexel::ImageFile::load(path);
        if (!loaded) {
            std::printf("FAIL: %s does not load: %s\n", qPrintable(path), loaded.error().toStdString().c_str());
            ok = false;
        }
    }
    written.removeDuplicates();
    std::printf("image files: %lld saved by the editor (%d in the scratch home, all checked)\n",
        static_cast<long long>(written.size()), images);
    return ok;
}

// The run's findings, printed; true when it passed.
bool judgeRun(const TForm1& form, const WindowSoak& soak, const SoakPrompter& prompter, const SoakOptions& options,
    const RunOutcome& outcome, const QString& home, const QStringList& written)
{
    bool ok = true;
    std::printf("\nvexel-soak: seed %u: %d actions in %d s, %d questions answered (%d errors shown)\n", options.seed,
        soak.actions(), options.seconds, prompter.questions(), prompter.errors());
    if (!outcome.finished || !form.isVisible()) {
        std::printf("FAIL: the editor window is no longer running\n");
        ok = false;
    }
    if (soak.unprompted() > 0) {
        std::printf("FAIL: %d message boxes or file dialogs did not come through the prompter\n", soak.unprompted());
        ok = false;
    }
    if (soak.inconsistencies() > 0) {
        std::printf("FAIL: %d times the current frame was left outside the image (INCONSISTENT in the log)\n",
                    soak.inconsistencies());
        ok = false;
    }
    if (!checkImages(home, written))
        ok = false;
    const long warmKib = outcome.warmKib;
    const long endKib = outcome.endKib;
    std::printf("resident memory: %ld KiB after %d s, %ld KiB at the end (growth %ld KiB, limit %ld KiB)\n", warmKib,
        options.warmUp, endKib, endKib - warmKib, options.growthLimitKib);
    if (warmKib < 0 || endKib - warmKib >= options.growthLimitKib) {
        std::printf("FAIL: resident memory grew by %ld KiB\n", endKib - warmKib);
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const QString home = homeFromArguments(argc, argv);
    if (!claimScratchHome(home))
        return 2;
    keepEverythingIn(home);

    qInstallMessageHandler(qtMessage);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexel Image"));
    QApplication::setOrganizationName(QStringLiteral("vexelimage"));
    const SoakOptions options = readOptions(app);
    std::printf("vexel-soak: seed %u, %d s, home %s, platform %s\n", options.seed, options.seconds, qPrintable(home),
        qPrintable(QGuiApplication::platformName()));
    if (!makeHome(home)) {
        std::fprintf(stderr, "vexel-soak: the scratch home could not be made\n");
        return 2;
    }

    QProcess board;
    const QString pty = startBoard(board);
    if (pty.isEmpty()) {
        std::fprintf(stderr, "vexel-soak: the virtual board did not start\n");
        return 2;
    }
    if (!writeSettings(home, pty))
        return 2;

    std::mt19937 random(options.seed);
    SoakPrompter prompter(home, random, logLine);
    TForm1 form(EditorContext { home + QLatin1Char('/'), &prompter });
    form.session().editor().history().setLimit(options.historyBytes);
    QStringList written;
    QObject::connect(&form.session().document(), &vexel::ImageDocument::written,
                     [&] { written << form.session().document().path(); });
    form.show();

    std::atomic<qint64> beat { QDateTime::currentMSecsSinceEpoch() };
    std::atomic<bool> done { false };
    QTimer heart;
    QObject::connect(&heart, &QTimer::timeout, [&] { beat = QDateTime::currentMSecsSinceEpoch(); });
    heart.start(200);
    std::thread watchdog = startWatchdog(beat, done, options.seed);

    WindowSoak soak(form, home, random, logLine);
    const RunOutcome outcome = runSoak(app, soak, options);
    done = true;
    watchdog.join();

    const bool ok = judgeRun(form, soak, prompter, options, outcome, home, written);
    std::printf("undo history: %zu bytes in %d steps (limit %zu)\n", form.session().editor().history().bytes(),
        form.session().editor().history().count(), form.session().editor().history().limit());
    board.kill();
    board.waitForFinished(5000);
    std::printf("%s\n", ok ? "vexel-soak: passed" : "vexel-soak: FAILED");
    return ok ? 0 : 1;
}
