// `vexel routes` as a depot script runs it: 200 routes of three frames on a
// 96 x 24 board, beside `vexel check` of the 200 files it wrote, both as
// processes from start to exit.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Routes = 200;

struct RouteFiles {
    QTemporaryDir dir;
    QString csv;
    QString out;
    QStringList images;

    RouteFiles()
    {
        const char* destinations[] = {"აეროპორტი", "დიდუბე", "გლდანი", "ვარკეთილი", "საბურთალო", "ორთაჭალა"};
        const char* latin[] = {"Airport", "Didube", "Gldani", "Varketili", "Saburtalo", "Ortachala"};
        const char* via[] = {"რუსთაველი, ვაკე", "საბურთალო, დელისი", "ვერა, ვაკე"};
        QByteArray text = "route,destination_ka,destination_en,via\r\n";
        for (int i = 0; i < Routes; ++i)
            text += QByteArray::number(i + 1) + "," + destinations[i % 6] + "," + latin[i % 6] + ",\"" + via[i % 3] +
                    "\"\r\n";
        csv = dir.filePath(QStringLiteral("routes.csv"));
        out = dir.filePath(QStringLiteral("set"));
        QFile file(csv);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        for (int i = 0; i < Routes; ++i)
            images << out + QStringLiteral("/%1.img").arg(i + 1);
    }
};

RouteFiles& files()
{
    static RouteFiles f;
    return f;
}

int runTool(const QStringList& args, QByteArray* errors = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(VEXEL_CLI_TOOL), args);
    if (!process.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int writeSet()
{
    return runTool({QStringLiteral("routes"), QStringLiteral(VEXEL_ROUTES_LAYOUT), files().csv, QStringLiteral("--out"),
                    files().out});
}

void BM_VexelRoutes200(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QDir(files().out).removeRecursively();
        state.ResumeTiming();
        if (writeSet() != 0) {
            state.SkipWithError("vexel routes failed");
            return;
        }
    }
    if (QDir(files().out).entryList(QDir::Files).size() != Routes)
        state.SkipWithError("not every route was written");
}
BENCHMARK(BM_VexelRoutes200)->Unit(benchmark::kMillisecond);

void BM_VexelCheck200(benchmark::State& state)
{
    if (QDir(files().out).entryList(QDir::Files).size() != Routes && writeSet() != 0) {
        state.SkipWithError("vexel routes failed");
        return;
    }
    const QStringList args = QStringList{QStringLiteral("check")} + files().images;
    QByteArray errors;
    for (auto _ : state) {
        // As one send list the 200 files are more than a message carries,
        // which check reports (exit 1); a refused file would be a fault.
        const int exit = runTool(args, &errors);
        if (exit < 0 || exit > 1 || !errors.isEmpty()) {
            state.SkipWithError("vexel check refused a file");
            return;
        }
    }
}
BENCHMARK(BM_VexelCheck200)->Unit(benchmark::kMillisecond);

} // namespace
