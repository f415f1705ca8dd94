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
// the separators that split a headsign "X via Y" into a destination and
// its via; the service words an import splits off the front of a headsign
// ("Select Bus"); phrases a line or page break must not split ("Penn
// Station"); the word a via frame starts with, per script; and the rule
// that codes a direction's other headsigns. A new set starts with the lists
// as made here.
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
    QStringList upperWords = defaultUpperWords();
    QStringList viaSeparators{QStringLiteral(" via ")};
    QStringList serviceWords{QStringLiteral("Select Bus"), QStringLiteral("Limited"), QStringLiteral("LTD"),
                             QStringLiteral("Rush"), QStringLiteral("+")};
    QStringList keepTogether;
    // What a via frame shows before the stops: "via W Frms Rd".
    QString viaWordLatin = QStringLiteral("via");
    QString viaWordGeorgian = QStringLiteral("გავლით:");
    // What follows the route's code in the codes of a direction's other
    // headsigns, %n their number from 2: "B41-2". The number goes at the
    // end of a pattern without %n.
    QString variantSuffix = QStringLiteral("-%n");
    static constexpr int MaxSuffixLength = 20;
    static QString variantCode(const QString& pattern, int number)
    {
        const QString n = QString::number(number);
        const QString p = pattern.trimmed().isEmpty() ? QStringLiteral("-%n") : pattern.trimmed();
        return p.contains(QLatin1String("%n")) ? QString(p).replace(QLatin1String("%n"), n) : p + n;
    }

    // What someone who read `read` and made it `edited` meant, put onto the
    // lists as they are now: each list they changed as they left it, the
    // others as `now` has them, so their save does not undo what another
    // depot changed meanwhile in a list they did not touch.
    static SetWords editedOnto(SetWords now, const SetWords& read, const SetWords& edited)
    {
        if (edited.abbreviations != read.abbreviations)
            now.abbreviations = edited.abbreviations;
        for (QStringList SetWords::*list :
             {&SetWords::upperWords, &SetWords::viaSeparators, &SetWords::serviceWords, &SetWords::keepTogether})
            if (edited.*list != read.*list)
                now.*list = edited.*list;
        for (QString SetWords::*word : {&SetWords::viaWordLatin, &SetWords::viaWordGeorgian, &SetWords::variantSuffix})
            if (edited.*word != read.*word)
                now.*word = edited.*word;
        return now;
    }

    // Common transit abbreviations: airports, railways, parkways, services.
    static QStringList defaultUpperWords()
    {
        return {QStringLiteral("SBS"),  QStringLiteral("JFK"),  QStringLiteral("LGA"),  QStringLiteral("EWR"),
                QStringLiteral("LIRR"), QStringLiteral("MTA"),  QStringLiteral("NYC"),  QStringLiteral("FDR"),
                QStringLiteral("VA"),   QStringLiteral("CC"),   QStringLiteral("PA"),   QStringLiteral("GW"),
                QStringLiteral("SI"),   QStringLiteral("LIJ"),  QStringLiteral("BRT"),  QStringLiteral("ZOB"),
                QStringLiteral("CUNY"), QStringLiteral("SUNY"), QStringLiteral("YMCA"), QStringLiteral("IKEA"),
                QStringLiteral("HS"),   QStringLiteral("JHS"),  QStringLiteral("PS"),   QStringLiteral("UN"),
                QStringLiteral("US"),   QStringLiteral("USA"),  QStringLiteral("UK"),   QStringLiteral("EU"),
                QStringLiteral("NJ"),   QStringLiteral("DC"),   QStringLiteral("TV")};
    }
    // A via separator as stored when it is typed as a word: between
    // spaces ("via" → " via "); one given with spaces of its own stays.
    static QString separatorFor(const QString& typed)
    {
        return typed.trimmed() == typed ? QLatin1Char(' ') + typed + QLatin1Char(' ') : typed;
    }
    // The tables whose order of rows is part of the list.
    static bool orderedTable(const QString& table)
    {
        for (const char* t : {"abbreviation", "upper_word", "via_separator", "service_word", "keep_together"})
            if (table == QLatin1String(t))
                return true;
        return false;
    }

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
               a.viaSeparators == b.viaSeparators && a.serviceWords == b.serviceWords &&
               a.keepTogether == b.keepTogether && a.viaWordLatin == b.viaWordLatin &&
               a.viaWordGeorgian == b.viaWordGeorgian && a.variantSuffix == b.variantSuffix;
    }
    friend bool operator!=(const SetWords& a, const SetWords& b) { return !(a == b); }
};

} // namespace vexel
