// `vexel set copy` and `vexel set merge`: a set moved between engines, and
// an offline copy brought back.
#include "Cli.h"

#include "sets/SetCopy.h"
#include "sets/SetMerge.h"

using namespace vexel;

int Cli::setCopy(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 2)
        return usage(QStringLiteral("set copy wants FROM TO"));
    const Expected<SetCopy::Summary> copied = SetCopy::copy(p.positional[0], p.positional[1]);
    if (!copied) {
        say(err_, copied.error());
        return Failed;
    }
    say(err_, QStringLiteral("Copied to %1: %2 destinations, %3 versions, %4 images%5")
                  .arg(copied->to)
                  .arg(copied->destinations)
                  .arg(copied->versions)
                  .arg(copied->images)
                  .arg(copied->offline ? QStringLiteral("; an offline copy, for set merge") : QString()));
    return Success;
}

int Cli::setMerge(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 2)
        return usage(QStringLiteral("set merge wants FILE SERVERSET"));
    const Expected<SetMerge::Report> merged = SetMerge::merge(p.positional[0], p.positional[1]);
    if (!merged) {
        say(err_, merged.error());
        return Failed;
    }
    say(out_, QStringLiteral("%1 added, %2 changed, %3 removed, %4 refused")
                  .arg(merged->added.size())
                  .arg(merged->changed.size())
                  .arg(merged->removed.size())
                  .arg(merged->refused.size()));
    const std::pair<const char*, const QStringList*> lists[] = {
        {"added", &merged->added}, {"changed", &merged->changed}, {"removed", &merged->removed}};
    for (const auto& [name, codes] : lists)
        if (!codes->isEmpty())
            say(out_, QStringLiteral("%1: %2").arg(QLatin1String(name), codes->join(QStringLiteral(", "))));
    for (const QString& refusal : merged->refused)
        say(err_, refusal);
    if (!merged->warning.isEmpty())
        say(err_, merged->warning);
    return merged->refused.isEmpty() && merged->warning.isEmpty() ? Success : Failed;
}
