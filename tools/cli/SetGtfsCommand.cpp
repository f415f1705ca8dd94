// `vexel set gtfs`: a transit feed's routes compared with a set, and applied
// on request.
#include "Cli.h"

#include "feeds/DestinationDiff.h"
#include "sets/DestinationSet.h"
#include "feeds/GtfsImport.h"

using namespace vexel;

namespace {

// "3" or "3,700"; false when a part is not a number.
bool routeTypes(const QString& text, QList<int>& out)
{
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int type = part.trimmed().toInt(&ok);
        if (!ok)
            return false;
        out << type;
    }
    return true;
}

} // namespace

int Cli::setGtfs(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--return-suffix"), QStringLiteral("--route-type"), QStringLiteral("--agency"),
                            QStringLiteral("--case")},
                           {QStringLiteral("--apply"), QStringLiteral("--remove"), QStringLiteral("--take-feed")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 2)
        return usage(QStringLiteral("set gtfs wants SET FEED"));
    const bool apply = p.options.count(QStringLiteral("--apply")) > 0;
    const bool remove = p.options.count(QStringLiteral("--remove")) > 0;
    const bool takeFeed = p.options.count(QStringLiteral("--take-feed")) > 0;
    if ((remove || takeFeed) && !apply)
        return usage(QStringLiteral("set gtfs: %1 goes with --apply").arg(remove ? QStringLiteral("--remove")
                                                                              : QStringLiteral("--take-feed")));

    GtfsOptions options;
    if (p.options.count(QStringLiteral("--return-suffix")))
        options.returnSuffix = p.options.at(QStringLiteral("--return-suffix"));
    if (p.options.count(QStringLiteral("--route-type")) &&
        !routeTypes(p.options.at(QStringLiteral("--route-type")), options.routeTypes))
        return usage(QStringLiteral("--route-type wants a number, or numbers separated by commas"));
    if (p.options.count(QStringLiteral("--agency")))
        for (const QString& agency : p.options.at(QStringLiteral("--agency")).split(QLatin1Char(',')))
            options.agencyIds << agency.trimmed();

    if (p.options.count(QStringLiteral("--case")) &&
        !parseLetterCase(p.options.at(QStringLiteral("--case")), options.letterCase))
        return usage(QStringLiteral("--case wants keep, title or auto"));

    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };
    // Opened for editing only to apply, so a look at the difference works
    // while an editor has the set open.
    auto opened = DestinationSet::open(p.positional[0], apply ? DestinationSet::Access::Edit : DestinationSet::Access::Read);
    if (!opened)
        return refused(opened.error());
    DestinationSet& set = *opened.value();
    const Expected<SetWords> words = set.words();
    if (!words)
        return refused(words.error());
    options.words = *words;
    const Expected<GtfsImportResult> feed = GtfsImport::read(p.positional[1], options);
    if (!feed)
        return refused(feed.error());
    const Expected<std::vector<Destination>> current = set.destinations();
    if (!current)
        return refused(current.error());
    const Expected<ImportMemory::Texts> memory = set.importMemory();
    if (!memory)
        return refused(memory.error());

    for (const QString& line : feed->report)
        say(err_, line);
    const DestinationDiff diff = diffDestinations(*current, feed->destinations, DiffContext{&*memory, &feed->scripts});
    for (const QString& line : diffLines(diff))
        say(out_, line);
    const QSet<QString> held = heldTexts(diff);
    if (!apply) {
        if (!held.isEmpty())
            say(err_, QStringLiteral("%1 held (changed by hand since the last import and in the feed too, or in the "
                                     "other script's column); --apply leaves them, --take-feed takes the feed's")
                          .arg(held.size() == 1 ? QStringLiteral("1 text is") : QStringLiteral("%1 texts are").arg(held.size())));
        return Success;
    }

    const DiffSelection chosen =
        selectDiff(diff, remove ? everyCode(diff) : addedAndChangedCodes(diff), takeFeed ? held : QSet<QString>());
    const Expected<DestinationSet::MergeReport> done =
        set.apply(chosen.incoming, chosen.removed, feed->feedVersion, chosen.imported);
    if (!done)
        return refused(done.error());
    QStringList left;
    if (!remove && !diff.removed.empty())
        left << QStringLiteral("%1 the feed no longer has kept; --remove removes them").arg(diff.removed.size());
    if (!takeFeed && !held.isEmpty())
        left << QStringLiteral("%1 held %2 kept as the set has them; --take-feed takes the feed's")
                    .arg(held.size())
                    .arg(held.size() == 1 ? QStringLiteral("text") : QStringLiteral("texts"));
    say(err_, QStringLiteral("Applied: %1 added, %2 changed, %3 removed%4")
                  .arg(done->added.size())
                  .arg(done->changed.size())
                  .arg(done->removed.size())
                  .arg(left.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(left.join(QStringLiteral("; ")))));
    return Success;
}
