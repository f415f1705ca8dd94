// `vexel set status`: how every destination letters every sign of a set.
#include "Cli.h"

#include "depot/DestinationSet.h"
#include "depot/SetLettering.h"
#include "lettering/FontList.h"

using namespace vexel;

int Cli::setStatus(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("set status wants SET"));
    auto refused = [&](const std::string& message) {
        say(err_, QString::fromStdString(message));
        return Failed;
    };
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened)
        return refused(opened.error());
    const DestinationSet& set = *opened.value();
    const Expected<std::vector<Destination>> destinations = set.destinations();
    if (!destinations)
        return refused(destinations.error());
    const Expected<std::vector<VehicleSign>> signs = set.signs();
    if (!signs)
        return refused(signs.error());
    const Expected<std::vector<SignOverride>> overrides = set.overrides();
    if (!overrides)
        return refused(overrides.error());

    const Expected<SetWords> words = set.words();
    if (!words)
        return refused(words.error());
    FontList fonts(FontList::installedPlaces());
    SetLettering lettering(fonts);
    lettering.setAbbreviations(words->lettering<Abbreviation>());
    bool allFit = true;
    for (const Destination& d : *destinations) {
        for (const VehicleSign& sign : *signs) {
            const SignOverride* byHand = nullptr;
            for (const SignOverride& o : *overrides)
                if (o.code == d.code && o.sign == sign.name)
                    byHand = &o;
            const SignImage image = lettering.letter(sign, d, byHand);
            allFit = allFit && image.fit.fits;
            say(out_, QStringLiteral("%1 %2: %3%4")
                          .arg(d.code, sign.name, image.fit.status,
                               image.stale ? QStringLiteral(", stale") : QString()));
        }
    }
    return allFit ? Success : Failed;
}
