#include "depot/DestinationDiff.h"

#include "depot/ImportWords.h"
#include "depot/Romanization.h"

#include <QHash>

namespace vexel {

namespace {

struct Field {
    const char* name;
    QString Destination::*text;
};

const Field fields[] = {
    {"route", &Destination::route},
    {"destination_ka", &Destination::destinationKa},
    {"destination_en", &Destination::destinationEn},
    {"via_ka", &Destination::viaKa},
    {"via_en", &Destination::viaEn},
};

// The set's text of one script stays when the incoming one is missing (or,
// for Latin, only suggested) and the other script's text is the same.
bool keepsOwn(const QString& current, const QString& incoming, bool incomingGuessed, const QString& currentOther,
              const QString& incomingOther)
{
    return !current.isEmpty() && (incoming.isEmpty() || incomingGuessed) && !incomingOther.isEmpty() &&
           currentOther == incomingOther;
}

// A Latin via no better than the romanization of the Georgian one: a feed
// without English stop names gives it, and it never replaces the operator's.
bool viaGuessed(const Destination& d)
{
    if (d.viaEn.isEmpty() || d.viaKa.isEmpty())
        return false;
    QStringList romanized;
    for (const QString& stop : d.viaKa.split(QStringLiteral(", ")))
        romanized << suggestLatin(stop);
    return d.viaEn == romanized.join(QStringLiteral(", "));
}

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c.unicode() < 0x20 || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// A code as it is, unless it would break the line or read as two words.
QString codeText(const QString& code)
{
    for (const QChar c : code)
        if (c.unicode() <= 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') || c.isSpace())
            return quoted(code);
    return code.isEmpty() ? quoted(code) : code;
}

QString texts(const Destination& d)
{
    QStringList parts;
    for (const Field& f : fields) {
        const QString& t = d.*f.text;
        if (t.isEmpty())
            continue;
        QString part = QLatin1String(f.name) + QLatin1Char(' ') + quoted(t);
        if (d.latinSuggested && f.text == &Destination::destinationEn)
            part += QStringLiteral(" (suggested)");
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

QString codeKey(const QString& code) { return code.toLower(); }

} // namespace

DestinationDiff diffDestinations(const std::vector<Destination>& current, const std::vector<Destination>& incoming)
{
    DestinationDiff diff;
    // Codes match as the set matches them, without regard to case: "12r" in
    // the set is the feed's "12R", changed in place and not removed.
    QHash<QString, const Destination*> byCode;
    for (const Destination& d : incoming)
        if (!byCode.contains(codeKey(d.code)))
            byCode.insert(codeKey(d.code), &d);
    QHash<QString, bool> inSet;
    for (const Destination& old : current) {
        inSet.insert(codeKey(old.code), true);
        const Destination* next = byCode.value(codeKey(old.code));
        if (!next) {
            diff.removed.push_back(old);
            continue;
        }
        Destination after = *next;
        after.code = old.code;
        after.note = old.note;
        after.inUse = old.inUse;
        const bool keepEn = keepsOwn(old.destinationEn, next->destinationEn, next->latinSuggested, old.destinationKa,
                                     next->destinationKa);
        if (keepEn) {
            after.destinationEn = old.destinationEn;
            after.latinSuggested = old.latinSuggested;
        }
        // A feed without stop headsigns, or without any for this direction,
        // says nothing of the via: the set's stays, in both scripts.
        if (next->viaKa.isEmpty() && next->viaEn.isEmpty()) {
            after.viaKa = old.viaKa;
            after.viaEn = old.viaEn;
        }
        if (keepsOwn(old.viaEn, next->viaEn, viaGuessed(*next), old.viaKa, next->viaKa))
            after.viaEn = old.viaEn;
        if (keepsOwnCase(old.destinationEn, after.destinationEn)) {
            after.destinationEn = old.destinationEn;
            after.latinSuggested = old.latinSuggested;
        }
        if (keepsOwnCase(old.viaEn, after.viaEn))
            after.viaEn = old.viaEn;
        if (keepsOwn(old.destinationKa, next->destinationKa, false, old.destinationEn, next->destinationEn))
            after.destinationKa = old.destinationKa;
        if (keepsOwn(old.viaKa, next->viaKa, false, old.viaEn, next->viaEn))
            after.viaKa = old.viaKa;

        DestinationChange change{old, after, {}};
        for (const Field& f : fields)
            if (old.*f.text != after.*f.text)
                change.texts.push_back({QLatin1String(f.name), old.*f.text, after.*f.text});
        if (!change.texts.empty())
            diff.changed.push_back(change);
    }
    QHash<QString, bool> addedCodes;
    for (const Destination& d : incoming)
        if (!inSet.contains(codeKey(d.code)) && !addedCodes.contains(codeKey(d.code))) {
            addedCodes.insert(codeKey(d.code), true);
            diff.added.push_back(d);
        }
    return diff;
}

std::vector<Destination> applyDiff(const std::vector<Destination>& current, const DestinationDiff& diff,
                                   const QSet<QString>& accepted)
{
    QHash<QString, const Destination*> changed;
    for (const DestinationChange& c : diff.changed)
        if (accepted.contains(c.after.code))
            changed.insert(c.after.code, &c.after);
    QSet<QString> removed;
    for (const Destination& d : diff.removed)
        if (accepted.contains(d.code))
            removed.insert(d.code);
    std::vector<Destination> out;
    QSet<QString> codes;
    for (const Destination& d : current) {
        if (removed.contains(d.code))
            continue;
        const Destination* next = changed.value(d.code);
        out.push_back(next ? *next : d);
        codes.insert(d.code);
    }
    for (const Destination& d : diff.added)
        if (accepted.contains(d.code) && !codes.contains(d.code)) {
            out.push_back(d);
            codes.insert(d.code);
        }
    return out;
}

DiffSelection selectDiff(const DestinationDiff& diff, const QSet<QString>& accepted)
{
    DiffSelection out;
    for (const Destination& d : diff.added)
        if (accepted.contains(d.code))
            out.incoming.push_back(d);
    for (const DestinationChange& c : diff.changed)
        if (accepted.contains(c.after.code))
            out.incoming.push_back(c.after);
    for (const Destination& d : diff.removed)
        if (accepted.contains(d.code))
            out.removed << d.code;
    return out;
}

QSet<QString> addedAndChangedCodes(const DestinationDiff& diff)
{
    QSet<QString> codes;
    for (const Destination& d : diff.added)
        codes.insert(d.code);
    for (const DestinationChange& c : diff.changed)
        codes.insert(c.after.code);
    return codes;
}

QSet<QString> everyCode(const DestinationDiff& diff)
{
    QSet<QString> codes = addedAndChangedCodes(diff);
    for (const Destination& d : diff.removed)
        codes.insert(d.code);
    return codes;
}

QStringList diffLines(const DestinationDiff& diff)
{
    QStringList lines;
    for (const Destination& d : diff.added)
        lines << QStringLiteral("+ %1 %2").arg(codeText(d.code), texts(d));
    for (const DestinationChange& c : diff.changed) {
        QStringList parts;
        for (const TextChange& t : c.texts) {
            QString part = QStringLiteral("%1 %2 → %3").arg(t.field, quoted(t.before), quoted(t.after));
            if (t.field == QLatin1String("destination_en") && c.after.latinSuggested)
                part += QStringLiteral(" (suggested)");
            parts << part;
        }
        lines << QStringLiteral("~ %1: %2").arg(codeText(c.after.code), parts.join(QStringLiteral("; ")));
    }
    for (const Destination& d : diff.removed)
        lines << QStringLiteral("- %1 %2").arg(codeText(d.code), texts(d));
    return lines;
}

} // namespace vexel
