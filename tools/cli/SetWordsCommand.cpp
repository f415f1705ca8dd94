// `vexel set words`: a set's word lists listed, and one entry added or
// removed at a time.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "store/WordTable.h"

using namespace vexel;

namespace {

// The lists by their option, in the order the listing names them.
struct Listed {
    const char* option;
    const char* name;
    QStringList SetWords::*list;
};
const Listed listed[] = {
    {"--upper", "upper", &SetWords::upperWords},
    {"--via", "via", &SetWords::viaSeparators},
    {"--service", "service", &SetWords::serviceWords},
    {"--keep", "keep", &SetWords::keepTogether},
};

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QStringList listing(const SetWords& words)
{
    QStringList lines;
    for (const Listed& l : listed)
        for (const QString& entry : words.*l.list)
            lines << QLatin1String(l.name) + QLatin1Char(' ') + quoted(entry);
    lines << QStringLiteral("via-word latin ") + quoted(words.viaWordLatin)
          << QStringLiteral("via-word georgian ") + quoted(words.viaWordGeorgian)
          << QStringLiteral("variant-suffix ") + quoted(words.variantSuffix);
    return lines;
}

// The entry of `list` that `word` names: itself, else one that differs only
// in letter case or, for a separator, in its spaces; -1 for none.
qsizetype entryOf(const QStringList& list, const QString& word, bool separators)
{
    const qsizetype exact = list.indexOf(word);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < list.size(); ++i)
        if ((separators ? list[i].trimmed() : list[i]).compare(word.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// What changeList did: the words of the command's message, and whether the
// list changed. A word to remove that is not there fails.
struct Change {
    bool failed = false;
    bool changed = false;
    QString message;
};

// `word` added to or removed from `list`.
Change changeList(QStringList& list, const Listed& which, bool add, const QString& word, const QString& setPath)
{
    const bool separators = which.list == &SetWords::viaSeparators;
    const qsizetype at = entryOf(list, word, separators);
    const QString name = QLatin1String(which.name);
    if (!add && at < 0)
        return {true, false, QStringLiteral("%1 is not in the %2 list of %3").arg(quoted(word), name, setPath)};
    if (!add)
        return {false, true, QStringLiteral("Removed %1 from the %2 list").arg(quoted(list.takeAt(at)), name)};
    if (at >= 0)
        return {false, false, QStringLiteral("%1 is in the %2 list already").arg(quoted(list[at]), name)};
    list << (separators ? SetWords::separatorFor(word) : word);
    return {false, true, QStringLiteral("Added %1 to the %2 list").arg(quoted(list.back()), name)};
}

// `--via-word latin|georgian WORD`: the word set, trimmed; a word as it
// was is no change.
Change changeViaWord(SetWords& words, const QString& script, const QString& word)
{
    QString& now = script == QLatin1String("georgian") ? words.viaWordGeorgian : words.viaWordLatin;
    if (now == word.trimmed())
        return {false, false, QStringLiteral("The %1 via word is %2 already").arg(script, quoted(now))};
    now = word.trimmed();
    return {false, true, QStringLiteral("The %1 via word is %2").arg(script, quoted(now))};
}

// `--variant-suffix P`: the codes of a direction's other headsigns.
Change changeVariantSuffix(SetWords& words, const QString& pattern)
{
    if (words.variantSuffix == pattern.trimmed())
        return {false, false, QStringLiteral("The variant suffix is %1 already").arg(quoted(words.variantSuffix))};
    words.variantSuffix = pattern.trimmed();
    return {false, true,
            QStringLiteral("The variant suffix is %1: a direction's other headsigns are coded like %2")
                .arg(quoted(words.variantSuffix), quoted(QStringLiteral("B41") + SetWords::variantCode(words.variantSuffix, 2)))};
}

// What is wrong with how set words was called; empty when nothing is.
QString misused(const std::map<QString, QString>& options, const QStringList& positional, const Listed* chosen,
                bool viaWord, const QString& action)
{
    const bool suffix = options.count(QStringLiteral("--variant-suffix")) > 0;
    if (positional.isEmpty() || options.size() > 1 || positional.size() != (options.empty() || suffix ? 1 : 2))
        return QStringLiteral("set words wants SET, and --upper, --via, --service or --keep with add or remove and a "
                              "WORD, or --via-word latin or georgian and a WORD, or --variant-suffix P");
    if (viaWord && action != QLatin1String("latin") && action != QLatin1String("georgian"))
        return QStringLiteral("--via-word wants latin or georgian, not \"%1\"").arg(action);
    if (chosen && action != QLatin1String("add") && action != QLatin1String("remove"))
        return QStringLiteral("%1 wants add or remove, not \"%2\"").arg(QLatin1String(chosen->option), action);
    return {};
}

} // namespace

int Cli::setWords(const QStringList& args)
{
    QStringList valued{QStringLiteral("--via-word"), QStringLiteral("--variant-suffix")};
    for (const Listed& l : listed)
        valued << QLatin1String(l.option);
    const Parsed p = parse(args, valued, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    const Listed* chosen = nullptr;
    for (const Listed& l : listed)
        if (p.options.count(QLatin1String(l.option)))
            chosen = &l;
    const QString action = p.options.empty() ? QString() : p.options.cbegin()->second;
    const bool viaWord = p.options.count(QStringLiteral("--via-word")) > 0;
    if (const QString wrong = misused(p.options, p.positional, chosen, viaWord, action); !wrong.isEmpty())
        return usage(wrong);
    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };

    auto opened = DestinationSet::open(p.positional[0], p.options.empty() ? DestinationSet::Access::Read
                                                                          : DestinationSet::Access::Edit);
    if (!opened)
        return refused(opened.error());
    DestinationSet& set = *opened.value();
    if (p.options.empty()) {
        const Expected<SetWords> stored = set.words();
        if (!stored)
            return refused(stored.error());
        for (const QString& line : listing(*stored))
            say(out_, line);
        return Success;
    }

    // The lists read and changed in one step, so an edit another depot
    // makes at the same time is kept beside this one.
    Change done;
    QString fault;
    const Status written = set.editWords([&](SetWords& words) {
        done = p.options.count(QStringLiteral("--variant-suffix")) ? changeVariantSuffix(words, action)
               : viaWord ? changeViaWord(words, action, p.positional[1])
                       : changeList(words.*chosen->list, *chosen, action == QLatin1String("add"), p.positional[1],
                                    set.path());
        if (done.failed)
            return Status::failure(done.message);
        fault = done.changed ? WordTable::check(words) : QString();
        return fault.isEmpty() ? Status::success() : Status::failure(fault);
    });
    if (done.failed)
        return refused(done.message);
    if (!fault.isEmpty())
        return refused(QStringLiteral("Cannot change the word lists of %1: %2").arg(set.path(), fault));
    if (!written)
        return refused(written.error());
    say(err_, done.message);
    return Success;
}
