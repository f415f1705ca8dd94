#include "feeds/ImportWords.h"

#include "depot/Romanization.h"

#include <QCoreApplication>

#include <QSet>

#include <optional>

namespace vexel {

namespace {

bool isLatinLetter(QChar c) { return c.isLetter() && c.script() == QChar::Script_Latin; }

QString romanizedVia(const QString& viaKa)
{
    QStringList romanized;
    for (const QString& stop : viaKa.split(QStringLiteral(", ")))
        romanized << suggestLatin(stop);
    return romanized.join(QStringLiteral(", "));
}

QString lowerLatin(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (isLatinLetter(c))
            c = c.toLower();
    return out;
}

// Words a title keeps small unless they begin it.
const QSet<QString>& smallWords()
{
    static const QSet<QString> words{QStringLiteral("of"), QStringLiteral("the"), QStringLiteral("and"),
                                     QStringLiteral("via"), QStringLiteral("to"),  QStringLiteral("at"),
                                     QStringLiteral("on"),  QStringLiteral("in"),  QStringLiteral("for"),
                                     QStringLiteral("by")};
    return words;
}

// The kept word `word` stands for, or empty.
QString keptForm(const QString& word, const QStringList& kept)
{
    for (const QString& k : kept)
        if (k.compare(word, Qt::CaseInsensitive) == 0)
            return k;
    return {};
}

// One run of letters and apostrophes.
QString titleWord(const QString& word, bool first, bool wholeToken, const QStringList& kept)
{
    const QString k = keptForm(word, kept);
    if (!k.isEmpty())
        return k;
    if (word.size() == 1)
        return word;
    const QString lower = lowerLatin(word);
    if (!first && wholeToken && smallWords().contains(lower))
        return lower;
    QString out = lower;
    out[0] = isLatinLetter(out[0]) ? out[0].toUpper() : out[0];
    const int apostrophe = static_cast<int>(out.indexOf(QLatin1Char('\'')));
    if (apostrophe == 1 && out.size() > 2 && isLatinLetter(out[2]))
        out[2] = out[2].toUpper();
    return out;
}

// A whitespace-free token.
QString titleToken(const QString& token, bool first, const QStringList& kept)
{
    bool digit = false;
    for (const QChar c : token)
        digit = digit || c.isDigit();
    if (digit) {
        // "42ND" reads "42nd"; any other word with a digit is a code.
        int i = 0;
        while (i < token.size() && token[i].isDigit())
            ++i;
        const QString suffix = token.mid(i).toLower();
        const bool ordinal = i > 0 && (suffix == QLatin1String("st") || suffix == QLatin1String("nd") ||
                                       suffix == QLatin1String("rd") || suffix == QLatin1String("th"));
        return ordinal ? token.left(i) + suffix : token;
    }
    int from = 0;
    int to = static_cast<int>(token.size());
    while (from < to && !token[from].isLetter())
        ++from;
    while (to > from && !token[to - 1].isLetter())
        --to;
    const QString k = keptForm(token.mid(from, to - from), kept);
    if (!k.isEmpty())
        return token.left(from) + k + token.mid(to);

    QString out;
    QString word;
    bool firstWord = first;
    auto flush = [&](bool whole) {
        if (!word.isEmpty())
            out += titleWord(word, firstWord, whole, kept);
        firstWord = false;
        word.clear();
    };
    bool whole = true;
    for (const QChar c : token) {
        if (c.isLetter() || (c == QLatin1Char('\'') && !word.isEmpty())) {
            word += c;
        } else {
            whole = whole && word.isEmpty();
            if (!word.isEmpty())
                flush(false);
            out += c;
        }
    }
    flush(whole);
    return out;
}

bool latinText(const QString& text)
{
    bool latin = false;
    for (const QChar c : text)
        latin = latin || isLatinLetter(c);
    return latin && !hasGeorgian(text);
}

bool georgianText(const QString& text)
{
    for (const QChar c : text)
        if (isLatinLetter(c))
            return false;
    return hasGeorgian(text);
}

// The two columns of one text, Georgian and Latin.
struct ScriptPair {
    const char* ka;
    const char* en;
    QString Destination::*kaText;
    QString Destination::*enText;
    bool destination; // else the via
};

const ScriptPair scriptPairs[] = {
    {"destination_ka", "destination_en", &Destination::destinationKa, &Destination::destinationEn, true},
    {"via_ka", "via_en", &Destination::viaKa, &Destination::viaEn, false},
};

QString romanized(const ScriptPair& pair, const QString& georgian)
{
    return pair.destination ? suggestLatin(georgian) : romanizedVia(georgian);
}

const char* const georgianNote = QT_TRANSLATE_NOOP("ImportWords", "Georgian text for %1; the feed's language is %2");
const char* const latinNote = QT_TRANSLATE_NOOP("ImportWords", "Latin text for %1; the feed's language is %2");

std::optional<ScriptNote> placePair(Destination& d, const ScriptPair& pair, const QString& language)
{
    QString& ka = d.*pair.kaText;
    QString& en = d.*pair.enText;
    const auto noted = [&](const char* sentence, const char* from, const char* to, bool moved) {
        return ScriptNote{d.code, QLatin1String(moved ? to : from),
                          QCoreApplication::translate("ImportWords", sentence).arg(QLatin1String(from), language),
                          moved};
    };
    if (georgianText(en)) {
        if (!ka.isEmpty())
            return noted(georgianNote, pair.en, pair.ka, false);
        ka = en;
        en = romanized(pair, ka);
        if (pair.destination)
            d.latinSuggested = true;
        return noted(georgianNote, pair.en, pair.ka, true);
    }
    if (latinText(ka)) {
        // A Georgian feed's Latin headsign comes with its own "romanization".
        if (!en.isEmpty() && en != romanized(pair, ka))
            return noted(latinNote, pair.ka, pair.en, false);
        en = ka;
        ka.clear();
        if (pair.destination)
            d.latinSuggested = false;
        return noted(latinNote, pair.ka, pair.en, true);
    }
    return std::nullopt;
}

} // namespace

std::vector<ScriptNote> placeScripts(std::vector<Destination>& destinations, const QString& language)
{
    std::vector<ScriptNote> notes;
    for (Destination& d : destinations)
        for (const ScriptPair& pair : scriptPairs)
            if (std::optional<ScriptNote> note = placePair(d, pair, language))
                notes.push_back(std::move(*note));
    return notes;
}

bool parseLetterCase(const QString& name, LetterCase& out)
{
    if (name == QLatin1String("keep"))
        out = LetterCase::Keep;
    else if (name == QLatin1String("title"))
        out = LetterCase::Title;
    else if (name == QLatin1String("auto"))
        out = LetterCase::Auto;
    else
        return false;
    return true;
}

bool capitalsOnly(const QString& text)
{
    bool latin = false;
    for (const QChar c : text) {
        if (c.isLower())
            return false;
        latin = latin || (isLatinLetter(c) && c.isUpper());
    }
    return latin;
}

QString titleCase(const QString& text, const QStringList& kept)
{
    QString out;
    QString token;
    bool first = true;
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!token.isEmpty()) {
                out += titleToken(token, first, kept);
                first = false;
                token.clear();
            }
            out += c;
        } else {
            token += c;
        }
    }
    if (!token.isEmpty())
        out += titleToken(token, first, kept);
    return out;
}

bool keepsOwnCase(const QString& own, const QString& incoming)
{
    return !own.isEmpty() && own != incoming && own.compare(incoming, Qt::CaseInsensitive) == 0 &&
           !capitalsOnly(own);
}

ViaSplit splitVia(const QString& text, const QStringList& separators)
{
    QStringList parts;
    qsizetype from = 0;
    for (;;) {
        qsizetype at = -1;
        qsizetype length = 0;
        for (const QString& s : separators) {
            if (s.trimmed().isEmpty())
                continue;
            const qsizetype i = text.indexOf(s, from, Qt::CaseInsensitive);
            if (i >= 0 && (at < 0 || i < at || (i == at && s.size() > length))) {
                at = i;
                length = s.size();
            }
        }
        if (at < 0)
            break;
        parts << text.mid(from, at - from).trimmed();
        from = at + length;
    }
    if (parts.isEmpty() || parts.front().isEmpty())
        return {text, {}};
    parts << text.mid(from).trimmed();
    const QString destination = parts.takeFirst();
    parts.removeAll(QString());
    return {destination, parts.join(QStringLiteral(", "))};
}

namespace {

// Splits the via off each headsign that names one; returns how many did.
int splitOffVias(std::vector<Destination>& destinations, const QStringList& separators)
{
    int split = 0;
    for (Destination& d : destinations) {
        const ViaSplit ka = splitVia(d.destinationKa, separators);
        const ViaSplit en = splitVia(d.destinationEn, separators);
        if (ka.via.isEmpty() && en.via.isEmpty())
            continue;
        ++split;
        const bool hadVia = !d.viaKa.isEmpty() || !d.viaEn.isEmpty();
        d.destinationKa = ka.destination;
        if (d.latinSuggested && !ka.via.isEmpty()) {
            // The romanization was made of the whole headsign.
            d.destinationEn = suggestLatin(ka.destination);
        } else {
            d.destinationEn = en.destination;
        }
        if (hadVia)
            continue;
        d.viaKa = ka.via;
        d.viaEn = en.via;
        if (d.viaEn.isEmpty() && !d.viaKa.isEmpty() && d.latinSuggested)
            d.viaEn = romanizedVia(d.viaKa);
    }
    return split;
}

// Whether the feed writes its Latin texts in capitals: some are, and none
// has a small letter.
bool latinInCapitals(const std::vector<Destination>& destinations)
{
    bool shouting = false;
    for (const Destination& d : destinations) {
        for (const QString* t : {&d.destinationEn, &d.viaEn}) {
            // Romanized names are never in capitals and say nothing of the feed.
            if (t == &d.destinationEn ? d.latinSuggested : !d.viaKa.isEmpty() && *t == romanizedVia(d.viaKa))
                continue;
            bool latin = false;
            for (const QChar c : *t)
                latin = latin || isLatinLetter(c);
            if (!latin)
                continue;
            if (!capitalsOnly(*t))
                return false;
            shouting = true;
        }
    }
    return shouting;
}

// Puts the Latin texts in capitals only in title case, keeping `kept`'s
// words in capitals; returns how many changed.
int putInTitleCase(std::vector<Destination>& destinations, const QStringList& kept)
{
    int titled = 0;
    for (Destination& d : destinations) {
        for (QString* t : {&d.destinationEn, &d.viaEn}) {
            if (!capitalsOnly(*t))
                continue;
            const QString title = titleCase(*t, kept);
            if (title == *t)
                continue;
            *t = title;
            ++titled;
            if (t == &d.destinationEn)
                d.latinSuggested = true;
        }
    }
    return titled;
}

} // namespace

ImportShaping shapeImported(std::vector<Destination>& destinations, const SetWords& words, LetterCase mode)
{
    ImportShaping done;
    done.viaSplit = splitOffVias(destinations, words.viaSeparators);
    if (mode == LetterCase::Keep)
        return done;
    if (mode == LetterCase::Auto && !latinInCapitals(destinations))
        return done;
    done.titleCased = putInTitleCase(destinations, words.upperWords);
    return done;
}

} // namespace vexel
