// `vexel set status`: how every destination letters every sign of a set.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "sets/SetContents.h"
#include "sets/SetLettering.h"
#include "lettering/FontList.h"

using namespace vexel;

int Cli::setStatus(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("set status wants SET"));
    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened)
        return refused(opened.error());
    const Expected<SetContents> contents = SetContents::read(*opened.value());
    if (!contents)
        return refused(contents.error());
    FontList fonts(FontList::installedPlaces());
    SetLettering lettering(fonts);
    contents->prepare(lettering);
    bool allFit = true;
    for (const Destination& d : contents->destinations) {
        for (const VehicleSign& sign : contents->signs) {
            const SignImage image = lettering.letter(sign, d, contents->byHand(d.code, sign.name));
            allFit = allFit && image.fit.fits;
            say(out_, QStringLiteral("%1 %2: %3%4")
                          .arg(d.code, sign.name, image.fit.status,
                               image.stale ? QStringLiteral(", stale") : QString()));
        }
    }
    return allFit ? Success : Failed;
}
