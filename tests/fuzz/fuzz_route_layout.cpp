// Any bytes as a route layout, of one board or of several signs: the reader
// either names the layout and the key at fault, or returns frames whose
// windows lie on the board; small layouts then letter a sample row, long
// enough to go to pages, and whatever image that makes must be a
// well-formed record.
#include "FuzzCheck.h"

#include "depot/RouteLayout.h"
#include "depot/RouteSet.h"
#include "lettering/FontList.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace vexel;

namespace {

void letterOne(const RouteLayout* layout)
{
    FUZZ_CHECK(layout->boardWidth >= 1 && layout->boardWidth <= 488);
    FUZZ_CHECK(layout->boardHeight >= 1 && layout->boardHeight <= 100);
    FUZZ_CHECK(!layout->frames.empty() && layout->frames.size() <= 256);
    for (const RouteFrame& f : layout->frames) {
        if (f.window) {
            FUZZ_CHECK(f.window->x >= 0 && f.window->y >= 0 && f.window->w >= 1 && f.window->h >= 1);
            FUZZ_CHECK(f.window->right() <= layout->boardWidth && f.window->bottom() <= layout->boardHeight);
        }
        FUZZ_CHECK(f.duration >= 0 && f.duration <= 0xFFFF && f.entry >= 0 && f.entry <= 15 && f.exit >= 0 &&
                   f.exit <= 15);
    }
    if (layout->frames.size() > 4)
        return; // lettering is what the other targets exercise; keep each input quick

    static FontList fonts([] {
        FontList::Places places;
        places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
        places.systemFonts = false;
        return places;
    }());
    const RouteSet set(*layout, fonts);
    RouteRow row{2, QStringLiteral("12"), QStringLiteral("აეროპორტი"), QStringLiteral("Airport"),
                 QStringLiteral("რუსთაველი - ჭავჭავაძე - აბაშიძე, ვაჟა-ფშაველა, ვაკე")};
    row.code = QStringLiteral("12R");
    row.viaEn = QStringLiteral("Rustaveli - Chavchavadze - Abashidze, Vazha-Pshavela, Vake");
    const Expected<ImageRecord> record = set.build(row.destination());
    if (record)
        FUZZ_CHECK(record->check().ok());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<std::vector<RouteSignLayout>> signs = RouteLayout::parseSigns(bytes, QStringLiteral("fuzz.json"));
    if (!signs) {
        FUZZ_CHECK(signs.error().toStdString().rfind("Cannot read layout \"fuzz.json\": ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!signs->empty() && signs->size() <= static_cast<std::size_t>(RouteLayout::MaxSigns));
    for (const RouteSignLayout& sign : *signs) {
        FUZZ_CHECK(signs->size() == 1 || !sign.name.isEmpty());
        letterOne(&sign.layout);
    }
    return 0;
}
