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

// The feed's options; the usage problem, or empty.
QString readGtfsOptions(const std::map<QString, QString>& given, GtfsOptions& options)
{
    if (given.count(QStringLiteral("--return-suffix")))
        options.returnSuffix = given.at(QStringLiteral("--return-suffix"));
    if (given.count(QStringLiteral("--variant-suffix")))
        options.variantSuffix = given.at(QStringLiteral("--variant-suffix"));
    if (given.count(QStringLiteral("--route-type")) &&
        !routeTypes(given.at(QStringLiteral("--route-type")), options.routeTypes))
        return QStringLiteral("--route-type wants a number, or numbers separated by commas");
    if (given.count(QStringLiteral("--agency")))
        for (const QString& agency : given.at(QStringLiteral("--agency")).split(QLatin1Char(',')))
            options.agencyIds << agency.trimmed();

    if (given.count(QStringLiteral("--case")) &&
        !parseLetterCase(given.at(QStringLiteral("--case")), options.letterCase))
        return QStringLiteral("--case wants keep, title or auto");
    return QString();
}

// The suffix an applied import coded by, made the set's, so the next
// import codes the same headsigns alike.
Status keepVariantSuffix(DestinationSet& set, const QString& suffix)
{
    return set.editWords([&](SetWords& w) {
        w.variantSuffix = suffix;
        return Status::success();
    });
}

// Applies the additions and changes of the difference, the removals with
// `remove`, the held texts with `takeFeed`, and makes `newSuffix` (when
// given) the set's variant suffix; the lines that say what was done and
// what was left.
Expected<QString> applyDiff(DestinationSet& set, const DestinationDiff& diff, const QSet<QString>& held,
                            const GtfsImportResult& feed, bool remove, bool takeFeed, const QString& newSuffix)
{
    const DiffSelection chosen =
        selectDiff(diff, remove ? everyCode(diff) : addedAndChangedCodes(diff), takeFeed ? held : QSet<QString>());
    const Expected<DestinationSet::MergeReport> done =
        set.apply(chosen.incoming, chosen.removed, feed.feedVersion, chosen.imported, feed.keepTogether);
    if (!done)
        return done.status();
    QStringList left;
    if (!remove && !diff.removed.empty())
        left << QStringLiteral("%1 the feed no longer has kept; --remove removes them").arg(diff.removed.size());
    if (!takeFeed && !held.isEmpty())
        left << QStringLiteral("%1 held %2 kept as the set has them; --take-feed takes the feed's")
                    .arg(held.size())
                    .arg(held.size() == 1 ? QStringLiteral("text") : QStringLiteral("texts"));
    QString said = QStringLiteral("Applied: %1 added, %2 changed, %3 removed%4")
                       .arg(done->added.size())
                       .arg(done->changed.size())
                       .arg(done->removed.size())
                       .arg(left.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(left.join(QStringLiteral("; "))));
    if (newSuffix.isEmpty())
        return said;
    if (const Status kept = keepVariantSuffix(set, newSuffix); !kept)
        return kept;
    return said + QStringLiteral("\nThe set's variant suffix is now \"%1\"").arg(newSuffix);
}

QString heldLine(qsizetype held)
{
    return QStringLiteral("%1 held (changed by hand since the last import and in the feed too, or in the "
                          "other script's column); --apply leaves them, --take-feed takes the feed's")
        .arg(held == 1 ? QStringLiteral("1 text is") : QStringLiteral("%1 texts are").arg(held));
}

} // namespace

int Cli::setGtfs(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--return-suffix"), QStringLiteral("--variant-suffix"), QStringLiteral("--route-type"), QStringLiteral("--agency"),
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
        return usage(QStringLiteral("set gtfs: %1 goes with --apply").arg(remove ? "--remove" : "--take-feed"));
    GtfsOptions options;
    if (const QString problem = readGtfsOptions(p.options, options); !problem.isEmpty())
        return usage(problem);

    // Opened for editing only to apply, so a look at the difference works
    // while an editor has the set open.
    auto opened = DestinationSet::open(p.positional[0], apply ? DestinationSet::Access::Edit : DestinationSet::Access::Read);
    if (!opened)
        return failWith(opened.error());
    DestinationSet& set = *opened.value();
    const Expected<SetWords> words = set.words();
    if (!words)
        return failWith(words.error());
    if (const QString fault = options.takeSetWords(*words); !fault.isEmpty())
        return usage(QStringLiteral("--variant-suffix: %1").arg(fault));
    const Expected<GtfsImportResult> feed = GtfsImport::read(p.positional[1], options);
    if (!feed)
        return failWith(feed.error());
    const Expected<std::vector<Destination>> current = set.destinations();
    if (!current)
        return failWith(current.error());
    const Expected<ImportMemory::Texts> memory = set.importMemory();
    if (!memory)
        return failWith(memory.error());

    for (const QString& line : feed->report)
        say(err_, line);
    const DestinationDiff diff =
        diffDestinations(*current, feed->destinations, DiffContext{&*memory, &feed->scripts, &feed->notes, &feed->scope});
    for (const QString& line : diffLines(diff))
        say(out_, line);
    if (const QString untouched = untouchedLine(diff); !untouched.isEmpty())
        say(err_, untouched);
    const QSet<QString> held = heldTexts(diff);
    if (!apply) {
        if (!held.isEmpty())
            say(err_, heldLine(held.size()));
        return Success;
    }
    const Expected<QString> applied =
        applyDiff(set, diff, held, *feed, remove, takeFeed, options.newVariantRule(*words) ? options.words.variantSuffix : QString());
    if (!applied)
        return failWith(applied.error());
    say(err_, *applied);
    return Success;
}
