// The LED font family: loading every face at start-up beside reading the
// files' bytes, and fitting a 40-character line over the face order beside
// measuring it once in one face.
#include "depot/RouteSet.h"
#include "lettering/FontList.h"
#include "lettering/TextFit.h"
#include "lettering/TextLayout.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

vexel::FontList::Places familyOnly()
{
    vexel::FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

void BM_ReadFontBytes(benchmark::State& state)
{
    const QDir dir(QStringLiteral(VEXEL_FONTS_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.vfont")}, QDir::Files);
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["faces"] = static_cast<double>(files.size());
}
BENCHMARK(BM_ReadFontBytes)->Unit(benchmark::kMillisecond);

void BM_LoadFontFamily(benchmark::State& state)
{
    for (auto _ : state) {
        vexel::FontList fonts(familyOnly());
        if (!fonts.problems().isEmpty())
            state.SkipWithError("a face was refused");
        benchmark::DoNotOptimize(fonts.fonts().size());
    }
}
BENCHMARK(BM_LoadFontFamily)->Unit(benchmark::kMillisecond);

const QString FortyCharacters = QStringLiteral("12 აეროპორტი - რუსთაველის გამზირი - ვაკე");

// Too long for 160 x 19 at any height: the whole order is walked.
void BM_FitFaceOrder(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    vexel::TextStyle style;
    style.font = QStringLiteral("Vexel LED");
    for (auto _ : state) {
        const vexel::FitResult r = vexel::TextFit::fit(FortyCharacters, fonts, style, 160, 19);
        benchmark::DoNotOptimize(r.fits);
    }
}
BENCHMARK(BM_FitFaceOrder)->Unit(benchmark::kMillisecond);

// A 40-character destination on the example bus's side sign that may take
// one page: one line, two lines and two-line pages over every face, then
// all again with its longest word abbreviated, where it fits on two lines.
void BM_FitPagesAbbreviated(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    const QByteArray json = R"({ "board": { "width": 112, "height": 16 }, "font": "Vexel LED", "height": 11,
        "tightSpacing": false, "max_pages": 1,
        "frames": [ { "preset": "number", "destination": "{destination_en}" } ] })";
    const vexel::Expected<vexel::RouteLayout> layout = vexel::RouteLayout::parse(json, QStringLiteral("side"));
    if (!layout) {
        state.SkipWithError(layout.error().toStdString().c_str());
        return;
    }
    vexel::RouteSet set(*layout, fonts);
    set.setAbbreviations({{QStringLiteral("Avenue"), QStringLiteral("Av")},
                          {QStringLiteral("Postal Facility"), QStringLiteral("PO")},
                          {QStringLiteral("Towers"), QStringLiteral("Twrs")}});
    const std::map<QString, QString> values = {
        {QStringLiteral("route"), QStringLiteral("B44")},
        {QStringLiteral("destination_en"), QStringLiteral("ST. JOHN AVENUE TOWERS - POSTAL FACILITY")}};
    const vexel::RouteFrame& frame = layout->frames.front();
    std::string step;
    for (auto _ : state) {
        const vexel::Expected<vexel::FrameLettering> l = set.letterPages(frame, values);
        if (!l) {
            state.SkipWithError(l.error().toStdString().c_str());
            return;
        }
        step = l->step + (l->abbreviated ? ", abbreviated" : "");
    }
    state.SetLabel(step);
}
BENCHMARK(BM_FitPagesAbbreviated)->Unit(benchmark::kMillisecond);

void BM_MeasureLine(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    auto font = fonts.open(QStringLiteral("Vexel LED"), 11, false);
    if (!font) {
        state.SkipWithError("Vexel LED 11 is not there");
        return;
    }
    const std::vector<std::u32string> lines = vexel::TextLayout::lines(FortyCharacters);
    for (auto _ : state)
        benchmark::DoNotOptimize(vexel::TextLayout::measure(lines, **font, 0, 0).width);
}
BENCHMARK(BM_MeasureLine)->Unit(benchmark::kMillisecond);

} // namespace
