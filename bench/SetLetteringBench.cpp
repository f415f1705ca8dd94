// A destination set lettered on a three-sign bus: one destination's signs
// again after a keystroke, and 200 destinations on every sign, beside one
// fit over the face order; the legibility audit of those 600 images.
#include "audit/LegibilityAudit.h"
#include "sets/SetLettering.h"
#include "lettering/FontList.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<vexel::VehicleSign> bus()
{
    const QString bilingual = QStringLiteral(
        R"({"font":"Vexel LED","height":11,"duration":4000,"frames":[)"
        R"({"preset":"number","destination":"{destination_ka}"},)"
        R"({"preset":"number","destination":"{destination_en}","entry":2},)"
        R"({"preset":"two-lines","text":"{via}","duration":3000}]})");
    return {{QStringLiteral("front"), 160, 19, bilingual},
            {QStringLiteral("side"), 112, 16, bilingual},
            {QStringLiteral("rear"), 28, 16, QStringLiteral(R"({"frames":[{"preset":"one-text","text":"{route}"}]})")}};
}

vexel::Destination destination(int i)
{
    const char* ka[] = {"აეროპორტი", "დიდუბე", "ვაკე, ბაგები", "ვარკეთილი"};
    const char* en[] = {"Airport", "Didube", "Vake (Bagebi)", "Varketili"};
    // Every fourth via list is long enough to go to pages.
    const char* via[] = {"რუსთაველი, ვაკე", "საბურთალო, დელისი", "ვერა, ვაკე",
                         "რუსთაველი - ჭავჭავაძე - აბაშიძე - ფალიაშვილი, ვაჟა-ფშაველა, ნუცუბიძე - საბურთალო"};
    vexel::Destination d;
    d.code = d.route = QString::number(i + 1);
    d.destinationKa = QString::fromUtf8(ka[i % 4]);
    d.destinationEn = QString::fromUtf8(en[i % 4]);
    d.viaKa = QString::fromUtf8(via[i % 4]);
    return d;
}

vexel::FontList::Places familyOnly()
{
    vexel::FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

void BM_SetRefitDestination(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    const vexel::SetLettering lettering(fonts);
    const std::vector<vexel::VehicleSign> signs = bus();
    vexel::Destination d = destination(3);
    int key = 0;
    for (auto _ : state) {
        d.destinationEn = QStringLiteral("Varketili %1").arg(++key % 10); // a keystroke
        for (const vexel::VehicleSign& sign : signs)
            if (!lettering.letter(sign, d).fit.fits)
                state.SkipWithError("a sign does not fit");
    }
}
BENCHMARK(BM_SetRefitDestination)->Unit(benchmark::kMillisecond);

void BM_SetLetter200x3(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    const std::vector<vexel::VehicleSign> signs = bus();
    std::vector<vexel::Destination> destinations;
    for (int i = 0; i < 200; ++i)
        destinations.push_back(destination(i));
    for (auto _ : state) {
        const vexel::SetLettering lettering(fonts); // the layouts read afresh each time
        for (const vexel::Destination& d : destinations)
            for (const vexel::VehicleSign& sign : signs)
                benchmark::DoNotOptimize(lettering.letter(sign, d).fit.fits);
    }
}
BENCHMARK(BM_SetLetter200x3)->Unit(benchmark::kMillisecond);

// Measures, proportions and spacing by us-ada, times by our own rules: every
// glyph measure the rules have and the simulator's timeline of each image.
void BM_LegibilityAudit200x3(benchmark::State& state)
{
    vexel::FontList fonts(familyOnly());
    std::vector<vexel::VehicleSign> signs = bus();
    const char* places[] = {"front", "side", "rear"};
    for (std::size_t i = 0; i < signs.size(); ++i) {
        signs[i].pitchMm = 10;
        signs[i].place = QString::fromLatin1(places[i]);
    }
    const vexel::SetLettering lettering(fonts);
    std::vector<std::pair<std::size_t, vexel::SignImage>> images;
    std::vector<vexel::Destination> destinations;
    for (int i = 0; i < 200; ++i)
        destinations.push_back(destination(i));
    for (const vexel::Destination& d : destinations)
        for (std::size_t s = 0; s < signs.size(); ++s)
            images.emplace_back(s, lettering.letter(signs[s], d));
    const auto ada = vexel::LegibilityRules::find(QStringLiteral("us-ada"));
    const auto ours = vexel::LegibilityRules::find(QStringLiteral("vexel"));
    if (!ada || !ours) {
        state.SkipWithError("the shipped rules are not found");
        return;
    }
    for (auto _ : state) {
        const vexel::LegibilityAudit byAda(*ada, fonts); // glyphs measured afresh each time
        const vexel::LegibilityAudit byOurs(*ours, fonts);
        std::size_t found = 0;
        for (std::size_t i = 0; i < images.size(); ++i) {
            const vexel::VehicleSign& sign = signs[images[i].first];
            const vexel::Destination& d = destinations[i / signs.size()];
            found += byAda.check(sign, d, images[i].second).size() + byOurs.check(sign, d, images[i].second).size();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LegibilityAudit200x3)->Unit(benchmark::kMillisecond);

// 700 headsigns of a large city's kind (codes with letters, numbered
// streets, long two-part names) on the three signs, with breaks chosen as
// a whole, beside the same filled word by word in the same run.
std::vector<vexel::VehicleSign> headsignBus(bool balanced)
{
    const QString order = balanced ? QString() : QStringLiteral(R"("balancedBreaks":false,)");
    const QString front = QStringLiteral(
        R"({"font":"Vexel LED","height":11,"bold":true,"number_font":"Vexel LED Numbers",)"
        R"("tightSpacing":false,%1"frames":[{"preset":"number","number":"{route}","destination":"{destination_en}"}]})")
                              .arg(order);
    const QString rear = QStringLiteral(
        R"({"font":"Vexel LED Numbers","height":16,"bold":true,"tightSpacing":false,%1)"
        R"("frames":[{"preset":"one-text","text":"{route}","fallback_font":"Vexel LED"}]})")
                             .arg(order);
    return {{QStringLiteral("front"), 160, 19, front},
            {QStringLiteral("side"), 112, 16, front},
            {QStringLiteral("rear"), 28, 16, rear}};
}

std::vector<vexel::Destination> headsigns(int count)
{
    const char* codes[] = {"Bx", "B", "M", "Q", "SIM", "BxM"};
    const char* places[] = {"Sedgwick/Highbridge", "Midtown 23 St", "Sheepshead Bay Knapp St",
                            "Yorkville East End Av Crosstown", "Bergen Beach Veterans Av", "Jamaica Archer Av Parsons",
                            "Fort George 193 St", "Williamsburg Bridge Plaza", "Kew Gardens Union Tpke Station",
                            "Lower East Side Grand St", "Port Richmond Via Richmond Av", "South Ferry"};
    std::vector<vexel::Destination> out;
    for (int i = 0; i < count; ++i) {
        vexel::Destination d;
        d.route = QString::fromLatin1(codes[i % 6]) + QString::number(1 + i % 97) + (i % 11 == 0 ? QStringLiteral("-SBS") : QString());
        d.code = d.route + QLatin1Char('-') + QString::number(i);
        d.destinationEn = QString::fromLatin1(places[i % 12]);
        d.destinationKa = d.destinationEn;
        out.push_back(d);
    }
    return out;
}

void letterHeadsigns(benchmark::State& state, bool balanced)
{
    vexel::FontList fonts(familyOnly());
    const std::vector<vexel::VehicleSign> signs = headsignBus(balanced);
    const std::vector<vexel::Destination> destinations = headsigns(700);
    for (auto _ : state) {
        const vexel::SetLettering lettering(fonts);
        for (const vexel::Destination& d : destinations)
            for (const vexel::VehicleSign& sign : signs)
                benchmark::DoNotOptimize(lettering.letter(sign, d).fit.fits);
    }
}

void BM_SetLetter700x3Greedy(benchmark::State& state) { letterHeadsigns(state, false); }
BENCHMARK(BM_SetLetter700x3Greedy)->Unit(benchmark::kMillisecond);

void BM_SetLetter700x3Balanced(benchmark::State& state) { letterHeadsigns(state, true); }
BENCHMARK(BM_SetLetter700x3Balanced)->Unit(benchmark::kMillisecond);

} // namespace
