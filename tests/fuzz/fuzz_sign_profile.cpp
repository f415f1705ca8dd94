// Any bytes as a vehicle profile: refused with the profile's name, or signs
// that a set would take, each with a layout its reader accepts.
#include "FuzzCheck.h"

#include "sets/SignProfile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <set>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<std::vector<VehicleSign>> signs = SignProfile::parse(bytes, QStringLiteral("fuzz.json"));
    if (!signs) {
        FUZZ_CHECK(signs.error().toStdString().rfind("Cannot read profile \"fuzz.json\": ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!signs->empty() && signs->size() <= static_cast<std::size_t>(SignProfile::MaxSigns));
    std::set<QString> names;
    for (const VehicleSign& sign : *signs) {
        FUZZ_CHECK(sign.check().ok());
        const Expected<RouteLayout> layout = sign.routeLayout();
        FUZZ_CHECK(layout.ok() && layout->boardWidth == sign.width && layout->boardHeight == sign.height);
        FUZZ_CHECK(names.insert(sign.name.toLower()).second);
    }
    return 0;
}
