#include "sets/SetContents.h"

#include "sets/DestinationSet.h"
#include "sets/SetLettering.h"

namespace vexel {

Expected<SetContents> SetContents::read(const DestinationSet& set)
{
    SetContents c;
    Expected<std::vector<Destination>> destinations = set.destinations();
    if (!destinations)
        return destinations.status();
    Expected<std::vector<VehicleSign>> signs = set.signs();
    if (!signs)
        return signs.status();
    Expected<std::vector<SignOverride>> overrides = set.overrides();
    if (!overrides)
        return overrides.status();
    Expected<SetWords> words = set.words();
    if (!words)
        return words.status();
    c.destinations = std::move(destinations).value();
    c.signs = std::move(signs).value();
    c.overrides = std::move(overrides).value();
    c.words = std::move(words).value();
    return c;
}

const SignOverride* SetContents::byHand(const QString& code, const QString& sign) const
{
    for (const SignOverride& o : overrides)
        if (o.code.compare(code, Qt::CaseInsensitive) == 0 && o.sign.compare(sign, Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

void SetContents::prepare(SetLettering& lettering) const
{
    lettering.setAbbreviations(words.lettering<Abbreviation>());
}

} // namespace vexel
