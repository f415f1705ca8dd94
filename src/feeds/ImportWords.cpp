#include "feeds/ImportWords.h"

#include "depot/Romanization.h"

#include <QCoreApplication>
#include <QRegularExpression>
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

// A Roman number of I, V and X in capitals ("III", "XIV"), the part of a
// district's name ("Varketili III") that title case must keep; L, C, D and M
// are left out, as they make words ("MIX", "DC").
bool romanNumber(const QString& word)
{
    static const QRegularExpression roman(QStringLiteral("^X{0,3}(IX|IV|V?I{0,3})$"));
    return word.size() >= 2 && roman.match(word).hasMatch();
}

// One run of letters and apostrophes.
QString titleWord(const QString& word, bool first, bool wholeToken, const QStringList& kept)
{
    const QString k = keptForm(word, kept);
    if (!k.isEmpty())
        return k;
    if (word.size() == 1 || romanNumber(word))
        return word;
    const QString lower = lowerLatin(word);
    if (!first && wholeToken && smallWords().contains(lower))
        return lower;
    QString out = lower;
    out[0] = isLatinLetter(out[0]) ? out[0].toUpper() : out[0];
    const int apostrophe = static_cast<int>(out.indexOf(QLatin1Char('\'')));
    if (apostrophe == 1 && out.size() > 2 && isLatinLetter(out[2]))
        out[2] = out[2].toUpper();
    // Names of Scottish and Irish families, common in street names: "McDonald".
    if (out.size() >= 5 && out.startsWith(QLatin1String("Mc")) && isLatinLetter(out[2]))
        out[2] = out[2].toUpper();
    return out;
}

bool allCapitals(const QString& word)
{
    bool capital = false;
    for (const QChar c : word) {
        if (c.isLower())
            return false;
        capital = capital || (isLatinLetter(c) && c.isUpper());
    }
    return capital;
}

// A word of a text with small letters: in capitals, it is cased as a title
// would have it; otherwise each run of capitals after a small letter keeps
// only its first ("McDONALD" → "McDonald", "LaGUARDIA" → "LaGuardia").
QString mixedWord(const QString& word, bool first, bool wholeToken, const QStringList& kept)
{
    if (allCapitals(word))
        return word.size() < 2 ? word : titleWord(word, first, wholeToken, kept);
    QString out = word;
    bool afterSmall = false;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool capital = isLatinLetter(out[i]) && out[i].isUpper();
        if (capital && afterSmall && i + 1 < out.size() && isLatinLetter(out[i + 1]) && out[i + 1].isUpper())
            for (qsizetype j = i + 1; j < out.size() && isLatinLetter(out[j]) && out[j].isUpper(); ++j)
                out[j] = out[j].toLower();
        afterSmall = out[i].isLower();
    }
    return out;
}

QString ordinalOf(long long n)
{
    if (n % 100 >= 11 && n % 100 <= 13)
        return QStringLiteral("th");
    switch (n % 10) {
    case 1: return QStringLiteral("st");
    case 2: return QStringLiteral("nd");
    case 3: return QStringLiteral("rd");
    default: return QStringLiteral("th");
    }
}

// A piece with a digit: a code as it is ("B44", "M15", "3AV"), except a
// number with its own ordinal ("42ND" → "42nd"); a number with another
// one's is a number and a word ("149ST" → "149 St").
QString numberPiece(const QString& piece, const QStringList& kept)
{
    qsizetype i = 0;
    while (i < piece.size() && piece[i].isDigit())
        ++i;
    const QString suffix = piece.mid(i).toLower();
    static const QSet<QString> suffixes{QStringLiteral("st"), QStringLiteral("nd"), QStringLiteral("rd"),
                                        QStringLiteral("th")};
    if (i == 0 || i > 15 || !suffixes.contains(suffix))
        return piece;
    if (ordinalOf(piece.left(i).toLongLong()) == suffix)
        return piece.left(i) + suffix;
    return piece.left(i) + QLatin1Char(' ') + titleWord(piece.mid(i), false, false, kept);
}

// A piece of a token between hyphens and slashes; `mixed` when the text
// has small letters too, and only its words in capitals are cased.
QString titlePiece(const QString& piece, bool first, bool wholeToken, bool mixed, const QStringList& kept)
{
    for (const QChar c : piece)
        if (c.isDigit())
            return numberPiece(piece, kept);
    qsizetype from = 0;
    qsizetype to = piece.size();
    while (from < to && !piece[from].isLetter())
        ++from;
    while (to > from && !piece[to - 1].isLetter())
        --to;
    const QString k = keptForm(piece.mid(from, to - from), kept);
    if (!k.isEmpty())
        return piece.left(from) + k + piece.mid(to);

    QString out;
    QString word;
    bool firstWord = first;
    auto flush = [&](bool whole) {
        if (!word.isEmpty())
            out += mixed ? mixedWord(word, firstWord, whole, kept) : titleWord(word, firstWord, whole, kept);
        firstWord = false;
        word.clear();
    };
    bool whole = wholeToken;
    for (const QChar c : piece) {
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

// A whitespace-free token, split at hyphens and slashes first: "BROADWAY-168"
// is a word and a number, not a code.
QString titleToken(const QString& token, bool first, bool mixed, const QStringList& kept)
{
    QString out;
    QString piece;
    bool whole = true;
    for (const QChar c : token) {
        if (c != QLatin1Char('-') && c != QLatin1Char('/')) {
            piece += c;
            continue;
        }
        whole = false;
        out += titlePiece(piece, first && out.isEmpty(), false, mixed, kept) + c;
        piece.clear();
    }
    return out + titlePiece(piece, first && out.isEmpty(), whole, mixed, kept);
}

// "the" begins a name of its own ("Fort Tryon Park The Cloisters") unless
// a small word comes before it ("Church of the Holy Cross").
bool beginsName(const QString& token, const QString& before)
{
    return token.compare(QLatin1String("the"), Qt::CaseInsensitive) == 0 && !before.isEmpty() &&
           !smallWords().contains(lowerLatin(before));
}

QString caseText(const QString& text, bool mixed, const QStringList& kept)
{
    QString out;
    QString token;
    QString before;
    bool first = true;
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!token.isEmpty()) {
                out += titleToken(token, first || beginsName(token, before), mixed, kept);
                first = false;
                before = token;
                token.clear();
            }
            out += c;
        } else {
            token += c;
        }
    }
    if (!token.isEmpty())
        out += titleToken(token, first || beginsName(token, before), mixed, kept);
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

QString titleCase(const QString& text, const QStringList& kept) { return caseText(text, false, kept); }

QString suggestCase(const QString& text, const QStringList& kept, LetterCase mode)
{
    bool latin = false;
    for (const QChar c : text)
        latin = latin || isLatinLetter(c);
    if (mode == LetterCase::Keep || !latin)
        return text;
    if (capitalsOnly(text))
        return caseText(text, false, kept);
    return mode == LetterCase::Auto ? caseText(text, true, kept) : text;
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

// Runs of white space made one space, and the ends trimmed; "a double
// space" when there was one inside.
QString collapseSpaces(QString& text)
{
    QString out;
    bool doubled = false;
    for (const QChar c : text.trimmed()) {
        if (c.isSpace() && !out.isEmpty() && out.back() == QLatin1Char(' ')) {
            doubled = true;
            continue;
        }
        out += c.isSpace() ? QLatin1Char(' ') : c;
    }
    text = out;
    return doubled ? QCoreApplication::translate("ImportWords", "a double space") : QString();
}

bool strayMark(QChar c)
{
    static const QString marks = QStringLiteral(",;-/\\|&\u2013\u2014");
    return marks.contains(c);
}

// A via separator's word, or in small letters the start of one cut short.
bool strayViaWord(const QString& word, const QStringList& separators)
{
    for (const QString& s : separators) {
        const QString w = s.trimmed();
        if (w.isEmpty() || !w.front().isLetter())
            continue;
        if (word.compare(w, Qt::CaseInsensitive) == 0)
            return true;
        if (word.size() >= 2 && word.size() < w.size() && word == word.toLower() && w.startsWith(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool hasLetterOrDigit(QStringView text)
{
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

} // namespace

QString cleanText(QString& text, const QStringList& separators)
{
    QStringList removed;
    const QString doubled = collapseSpaces(text);
    if (!doubled.isEmpty())
        removed << doubled;
    qsizetype b = 0;
    qsizetype e = text.size();
    for (;;) {
        while (b < e && text[b].isSpace())
            ++b;
        while (e > b && text[e - 1].isSpace())
            --e;
        if (b == e)
            break;
        if (strayMark(text[e - 1])) {
            --e;
            continue;
        }
        if (strayMark(text[b])) {
            ++b;
            continue;
        }
        const qsizetype space = text.lastIndexOf(QLatin1Char(' '), e - 1);
        if (space <= b || !strayViaWord(text.mid(space + 1, e - space - 1), separators))
            break;
        e = space;
    }
    // What is left must still say something.
    if (!hasLetterOrDigit(QStringView(text).mid(b, e - b)))
        return removed.join(QStringLiteral("; "));
    const std::pair<QString, const char*> ends[] = {
        {text.left(b).trimmed(), QT_TRANSLATE_NOOP("ImportWords", "\"%1\" at the start")},
        {text.mid(e).trimmed(), QT_TRANSLATE_NOOP("ImportWords", "\"%1\" at the end")}};
    for (const auto& [part, where] : ends)
        if (!part.isEmpty())
            removed << QCoreApplication::translate("ImportWords", where).arg(part);
    text = text.mid(b, e - b);
    return removed.join(QStringLiteral("; "));
}

ServiceSplit splitService(const QString& text, const QStringList& words)
{
    qsizetype at = 0;
    for (;;) {
        while (at < text.size() && text[at].isSpace())
            ++at;
        qsizetype matched = 0;
        for (const QString& listed : words) {
            const QString word = listed.trimmed();
            if (word.size() <= matched || text.size() - at < word.size() ||
                QStringView(text).mid(at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
                continue;
            const qsizetype end = at + word.size();
            if (end == text.size() || !text[end].isLetterOrNumber() || !word.back().isLetterOrNumber())
                matched = word.size();
        }
        if (matched == 0)
            break;
        at += matched;
    }
    if (at == 0 || !hasLetterOrDigit(QStringView(text).mid(at)))
        return {{}, text};
    return {text.left(at).trimmed(), text.mid(at).trimmed()};
}

namespace {

void splitServiceOf(Destination& d, const SetWords& words, ImportShaping& done)
{
    const ServiceSplit ka = splitService(d.destinationKa, words.serviceWords);
    const ServiceSplit en = splitService(d.destinationEn, words.serviceWords);
    if (ka.service.isEmpty() && en.service.isEmpty())
        return;
    ++done.serviceSplit;
    d.destinationKa = ka.rest;
    // A romanized name was made of the whole headsign.
    d.destinationEn = d.latinSuggested && !ka.service.isEmpty() ? suggestLatin(ka.rest) : en.rest;
    // Said once is enough: a service the import has already stays.
    if (d.service.isEmpty())
        d.service = en.service.isEmpty() ? ka.service : en.service;
}

void splitViaOf(Destination& d, const SetWords& words, ImportShaping& done)
{
    const ViaSplit ka = splitVia(d.destinationKa, words.viaSeparators);
    const ViaSplit en = splitVia(d.destinationEn, words.viaSeparators);
    if (ka.via.isEmpty() && en.via.isEmpty())
        return;
    ++done.viaSplit;
    const bool hadVia = !d.viaKa.isEmpty() || !d.viaEn.isEmpty();
    d.destinationKa = ka.destination;
    if (d.latinSuggested && !ka.via.isEmpty()) {
        // The romanization was made of the whole headsign.
        d.destinationEn = suggestLatin(ka.destination);
    } else {
        d.destinationEn = en.destination;
    }
    if (hadVia)
        return;
    d.viaKa = ka.via;
    d.viaEn = en.via;
    if (d.viaEn.isEmpty() && !d.viaKa.isEmpty() && d.latinSuggested)
        d.viaEn = romanizedVia(d.viaKa);
}

// Each part of a via cleaned on its own; a part left with nothing goes.
QString cleanVia(QString& via, const QStringList& separators)
{
    QStringList parts;
    QStringList removed;
    for (QString part : via.split(QLatin1Char(','))) {
        const QString what = cleanText(part, separators);
        if (!what.isEmpty() && !removed.contains(what))
            removed << what;
        if (hasLetterOrDigit(part))
            parts << part;
        else if (const QString empty = QCoreApplication::translate("ImportWords", "an empty part"); !removed.contains(empty))
            removed << empty;
    }
    const QString joined = parts.join(QStringLiteral(", "));
    if (joined == via)
        return {};
    via = joined;
    return removed.isEmpty() ? QCoreApplication::translate("ImportWords", "the spaces around its commas")
                             : removed.join(QStringLiteral("; "));
}

void caseTexts(std::vector<Destination>& destinations, const QStringList& kept, LetterCase mode, ImportShaping& done)
{
    if (mode == LetterCase::Keep)
        return;
    for (Destination& d : destinations)
        for (QString* t : {&d.destinationEn, &d.viaEn, &d.service}) {
            const QString cased = suggestCase(*t, kept, mode);
            if (cased == *t)
                continue;
            ++(capitalsOnly(*t) ? done.titleCased : done.mixedCased);
            *t = cased;
            if (t == &d.destinationEn)
                d.latinSuggested = true;
        }
}

} // namespace

ImportShaping shapeImported(std::vector<Destination>& destinations, const SetWords& words, LetterCase mode)
{
    ImportShaping done;
    for (Destination& d : destinations) {
        std::map<QString, QStringList> notes;
        auto note = [&](const char* field, const QString& what) {
            if (!what.isEmpty() && !notes[QLatin1String(field)].contains(what))
                notes[QLatin1String(field)] << what;
        };
        // Spaces first, so that service words and separators match.
        note("destination_ka", collapseSpaces(d.destinationKa));
        note("destination_en", collapseSpaces(d.destinationEn));
        splitServiceOf(d, words, done);
        splitViaOf(d, words, done);
        for (const TextField& f : TextFields) {
            if (f.text == &Destination::route)
                continue;
            const bool via = f.text == &Destination::viaKa || f.text == &Destination::viaEn;
            note(f.name, via ? cleanVia(d.*f.text, words.viaSeparators) : cleanText(d.*f.text, words.viaSeparators));
        }
        for (const auto& [field, what] : notes) {
            ++done.cleaned;
            done.notes[{d.code.toLower(), field}] =
                QCoreApplication::translate("ImportWords", "cleaned: %1").arg(what.join(QStringLiteral("; ")));
        }
    }
    caseTexts(destinations, words.upperWords, mode, done);
    return done;
}

QStringList shapingReport(const ImportShaping& shaped)
{
    const std::pair<int, const char*> lines[] = {
        {shaped.cleaned, QT_TRANSLATE_NOOP("ImportWords", "texts cleaned of double spaces and of separators left at "
                                                          "their ends: %1")},
        {shaped.serviceSplit, QT_TRANSLATE_NOOP("ImportWords", "headsigns that begin with service words, split off "
                                                               "into the service: %1")},
        {shaped.mixedCased, QT_TRANSLATE_NOOP("ImportWords", "Latin texts that mix small letters with words in "
                                                             "capitals, those words suggested in title case: %1")},
    };
    QStringList out;
    for (const auto& [count, text] : lines)
        if (count > 0)
            out << QCoreApplication::translate("ImportWords", text).arg(count);
    return out;
}

} // namespace vexel
