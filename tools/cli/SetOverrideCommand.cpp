// `vexel set override remove`: a destination's image made by hand taken out
// of the set, so the sign is lettered from the texts again.
#include "Cli.h"

#include "sets/DestinationSet.h"

using namespace vexel;

int Cli::setOverride(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 4 || p.positional[0] != QLatin1String("remove"))
        return usage(QStringLiteral("set override wants remove SET CODE SIGN"));
    const QString& code = p.positional[2];
    const QString& sign = p.positional[3];
    auto opened = DestinationSet::open(p.positional[1], DestinationSet::Access::Edit);
    if (!opened) {
        say(err_, opened.error());
        return Failed;
    }
    const Status removed = opened.value()->removeOverride(code, sign);
    if (!removed) {
        say(err_, removed.error());
        return Failed;
    }
    say(err_, QStringLiteral("Removed the image made by hand of %1 on %2: the sign is lettered from its texts again")
                  .arg(code, sign));
    return Success;
}
