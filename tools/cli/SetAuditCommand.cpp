// `vexel set audit`: every sign and destination of a set against a rule set
// of legibility.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "sets/SetContents.h"
#include "audit/LegibilityAudit.h"
#include "lettering/FontList.h"

using namespace vexel;

int Cli::setAudit(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--rules")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("set audit wants SET [--rules NAME|FILE]"));
    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };
    const QString rulesName = p.options.count(QStringLiteral("--rules")) ? p.options.at(QStringLiteral("--rules"))
                                                                          : QString::fromLatin1(LegibilityRules::DefaultName);
    const Expected<LegibilityRules> rules = LegibilityRules::find(rulesName);
    if (!rules)
        return refused(rules.error());
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened)
        return refused(opened.error());
    const Expected<SetContents> contents = SetContents::read(*opened.value());
    if (!contents)
        return refused(contents.error());

    // Lettered as the release letters, abbreviations included.
    FontList fonts(FontList::installedPlaces());
    SetLettering lettering(fonts);
    contents->prepare(lettering);
    const LegibilityAudit audit(*rules, fonts);
    const std::vector<LegibilityFinding> findings =
        audit.checkSet(*contents, lettering);
    // Many images that miss a rule for one cause (a face, the sign's layout)
    // are one line with three of them; an image that is its own cause has
    // its own line.
    const std::vector<LegibilityGroup> groups = LegibilityGroup::group(findings);
    for (const LegibilityGroup& g : groups)
        say(out_, g.line());
    QString total = QStringLiteral("%1 %2 by the rules \"%3\"")
                        .arg(findings.size())
                        .arg(findings.size() == 1 ? QStringLiteral("finding") : QStringLiteral("findings"), rules->name);
    if (groups.size() != findings.size())
        total += QStringLiteral(", in %1 lines").arg(groups.size());
    say(err_, total);
    return findings.empty() ? Success : Failed;
}
