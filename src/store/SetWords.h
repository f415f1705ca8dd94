#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace vexel {

// The word lists a set applies to all its destinations: abbreviations per
// script, used only where a text would not fit otherwise; words a Latin
// text in capitals keeps in capitals when it is put in title case ("SBS");
// and the separators that split a headsign "X via Y" into a destination and
// its via.
struct SetWords {
    static constexpr int MaxWordLength = 200;
    static constexpr int MaxEntries = 10000;

    struct Abbreviation {
        QString script; // "ka" or "en"
        QString word;
        QString shortForm;
        friend bool operator==(const Abbreviation& a, const Abbreviation& b)
        {
            return a.script == b.script && a.word == b.word && a.shortForm == b.shortForm;
        }
    };

    std::vector<Abbreviation> abbreviations;
    QStringList upperWords;
    QStringList viaSeparators{QStringLiteral(" via ")};

    // The abbreviations of both scripts, longest word first, so that
    // "Avenue Road" is tried before "Avenue"; each made as T{word, short
    // form}, for the lettering's own type. Words of the two scripts never
    // meet in one text, so one list serves both.
    template <class T = std::pair<QString, QString>>
    std::vector<T> lettering() const
    {
        std::vector<const Abbreviation*> sorted;
        sorted.reserve(abbreviations.size());
        for (const Abbreviation& a : abbreviations)
            sorted.push_back(&a);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Abbreviation* a, const Abbreviation* b) { return a->word.size() > b->word.size(); });
        std::vector<T> out;
        out.reserve(sorted.size());
        for (const Abbreviation* a : sorted)
            out.push_back(T{a->word, a->shortForm});
        return out;
    }

    friend bool operator==(const SetWords& a, const SetWords& b)
    {
        return a.abbreviations == b.abbreviations && a.upperWords == b.upperWords &&
               a.viaSeparators == b.viaSeparators;
    }
    friend bool operator!=(const SetWords& a, const SetWords& b) { return !(a == b); }
};

} // namespace vexel
