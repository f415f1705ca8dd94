#include "lettering/Abbreviation.h"

#include <algorithm>

namespace vexel {

namespace {

bool wordCharacter(const QString& text, qsizetype at)
{
    return at >= 0 && at < text.size() && text[at].isLetterOrNumber();
}

// "AVENUE" yes; "Avenue", "12" and Georgian (no capitals in use) no.
bool capitalsOnly(const QString& word)
{
    bool cased = false;
    for (const QChar c : word) {
        if (c.isLower())
            return false;
        cased = cased || c.isUpper();
    }
    return cased;
}

} // namespace

std::vector<Abbreviation::Match> Abbreviation::find(const QString& text, const std::vector<Abbreviation>& list)
{
    std::vector<const Abbreviation*> byLength;
    for (const Abbreviation& a : list)
        if (!a.word.trimmed().isEmpty())
            byLength.push_back(&a);
    std::stable_sort(byLength.begin(), byLength.end(),
                     [](const Abbreviation* a, const Abbreviation* b) { return a->word.size() > b->word.size(); });

    std::vector<Match> found;
    std::vector<bool> taken(static_cast<std::size_t>(text.size()), false);
    for (const Abbreviation* a : byLength) {
        for (qsizetype at = text.indexOf(a->word, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(a->word, at + 1, Qt::CaseInsensitive)) {
            const qsizetype end = at + a->word.size();
            if (wordCharacter(text, at - 1) || wordCharacter(text, end))
                continue;
            if (std::any_of(taken.begin() + at, taken.begin() + end, [](bool t) { return t; }))
                continue;
            std::fill(taken.begin() + at, taken.begin() + end, true);
            const bool capitals = capitalsOnly(text.mid(at, a->word.size()));
            found.push_back(Match{at, a->word.size(), capitals ? a->shortForm.toUpper() : a->shortForm});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Match& a, const Match& b) {
        return a.length != b.length ? a.length > b.length : a.at < b.at;
    });
    return found;
}

QString Abbreviation::apply(const QString& text, std::vector<Match> matches)
{
    // From the right, so the places of the others stay where they were.
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.at > b.at; });
    QString out = text;
    for (const Match& m : matches)
        out.replace(m.at, m.length, m.shortForm);
    return out;
}

} // namespace vexel
