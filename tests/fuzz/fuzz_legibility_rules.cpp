// Any bytes as a rule file of the legibility audit: the reader either names
// the file and a line within it, or returns rules whose numbers are sound
// and whose every rule quotes its text and names its source.
#include "FuzzCheck.h"

#include "audit/LegibilityRules.h"

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<LegibilityRules> rules = LegibilityRules::parse(bytes, QStringLiteral("fuzz.vrules"));
    if (!rules) {
        FUZZ_CHECK(rules.error().toStdString().rfind("fuzz.vrules: ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!rules->name.isEmpty());
    FUZZ_CHECK(rules->rules.size() <= static_cast<std::size_t>(LegibilityRules::MaxRules));
    for (const LegibilityRule& r : rules->rules) {
        FUZZ_CHECK(!r.name.isEmpty() && !r.quote.isEmpty() && !r.source.isEmpty() && r.line >= 1);
        for (const auto& bound : {r.min, r.max})
            FUZZ_CHECK(!bound || (std::isfinite(*bound) && *bound >= 0));
        FUZZ_CHECK(!(r.min && r.max) || *r.min <= *r.max);
        FUZZ_CHECK(!r.required().isEmpty());
    }
    return 0;
}
