// `vexel set`: destination sets for scripts.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "sets/SetCsv.h"
#include "sets/SignProfile.h"

#include <QDir>

using namespace vexel;

int Cli::set(const QStringList& args)
{
    if (args.isEmpty())
        return usage(QStringLiteral(
            "set: say new, import, export, status, override, audit, release, versions, diff, gtfs, abbreviations, words, "
            "copy or merge"));
    const QString what = args.front();
    if (what == QLatin1String("status"))
        return setStatus(args.mid(1));
    if (what == QLatin1String("override"))
        return setOverride(args.mid(1));
    if (what == QLatin1String("audit"))
        return setAudit(args.mid(1));
    if (what == QLatin1String("versions"))
        return setVersions(args.mid(1));
    if (what == QLatin1String("diff"))
        return setDiff(args.mid(1));
    if (what == QLatin1String("release"))
        return setRelease(args.mid(1));
    if (what == QLatin1String("gtfs"))
        return setGtfs(args.mid(1));
    if (what == QLatin1String("abbreviations"))
        return setAbbreviations(args.mid(1));
    if (what == QLatin1String("words"))
        return setWords(args.mid(1));
    if (what == QLatin1String("copy"))
        return setCopy(args.mid(1));
    if (what == QLatin1String("merge"))
        return setMerge(args.mid(1));
    const Parsed p = parse(args.mid(1), {QStringLiteral("--csv")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (what == QLatin1String("new"))
        return setNew(p);
    if (what == QLatin1String("import"))
        return setImport(p);
    if (what == QLatin1String("export"))
        return setExport(p);
    return usage(QStringLiteral("set: unknown command \"%1\"").arg(what));
}

int Cli::failWith(const QString& message)
{
    say(err_, message);
    return Failed;
}

int Cli::setNew(const Parsed& p)
{
    if (p.positional.size() != 2 || !p.options.empty())
        return usage(QStringLiteral("set new wants SET PROFILE.json"));
    const Expected<std::vector<VehicleSign>> signs = SignProfile::read(p.positional[1]);
    if (!signs)
        return failWith(signs.error());
    const auto made = DestinationSet::create(p.positional[0], *signs);
    if (!made)
        return failWith(made.error());
    say(err_, QStringLiteral("Made %1 with %2 %3")
                  .arg(QDir::toNativeSeparators(made.value()->path()))
                  .arg(signs->size())
                  .arg(signs->size() == 1 ? QStringLiteral("sign") : QStringLiteral("signs")));
    return Success;
}

int Cli::setImport(const Parsed& p)
{
    if (p.positional.size() != 2 || !p.options.empty())
        return usage(QStringLiteral("set import wants SET ROUTES.csv"));
    auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Edit);
    if (!opened)
        return failWith(opened.error());
    const Expected<SetCsv::Import> imported = SetCsv::importFile(*opened.value(), p.positional[1]);
    if (!imported)
        return failWith(imported.error());
    for (const QString& problem : imported->problems)
        say(err_, problem);
    const DestinationSet::MergeReport& m = imported->merged;
    say(out_, QStringLiteral("%1 added, %2 changed, %3 unchanged")
                  .arg(m.added.size())
                  .arg(m.changed.size())
                  .arg(m.unchanged.size()));
    const std::pair<const char*, const QStringList*> lists[] = {
        {"added", &m.added}, {"changed", &m.changed}, {"kept as changed by hand", &imported->keptByHand}};
    for (const auto& [name, codes] : lists)
        if (!codes->isEmpty())
            say(out_, QStringLiteral("%1: %2").arg(QLatin1String(name), codes->join(QStringLiteral(", "))));
    return imported->problems.isEmpty() ? Success : Failed;
}

int Cli::setExport(const Parsed& p)
{
    if (p.positional.size() != 1 || !p.options.count(QStringLiteral("--csv")))
        return usage(QStringLiteral("set export wants SET --csv OUT"));
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened)
        return failWith(opened.error());
    const Status written = SetCsv::exportFile(*opened.value(), p.options.at(QStringLiteral("--csv")));
    return written ? Success : failWith(written.error());
}
