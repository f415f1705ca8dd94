#include "feeds/DestinationDiff.h"

#include "feeds/ImportWords.h"
#include "depot/Romanization.h"

#include <QCoreApplication>
#include <QHash>

#include <map>

namespace vexel {

namespace {

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

QString codeKey(const QString& code) { return code.toLower(); }

// An added destination's texts; `notes` by code key and column.
QString texts(const Destination& d, const std::map<std::pair<QString, QString>, QString>& notes = {})
{
    QStringList parts;
    for (const TextField& f : TextFields) {
        const QString& t = d.*f.text;
        if (t.isEmpty())
            continue;
        QString part = QLatin1String(f.name) + QLatin1Char(' ') + quoted(t);
        if (d.latinSuggested && f.text == &Destination::destinationEn)
            part += QStringLiteral(" (suggested)");
        const auto note = notes.find({codeKey(d.code), QLatin1String(f.name)});
        if (note != notes.end())
            part += QStringLiteral(" (%1)").arg(note->second);
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

namespace {

using NoteKey = std::pair<QString, QString>; // code key, column
using ScriptNotes = std::map<NoteKey, const ScriptNote*>;

// The set's destination with the incoming one's texts as an import takes them.
Destination proposed(const Destination& old, const Destination& next)
{
    Destination after = next;
    after.code = old.code;
    after.note = old.note;
    after.inUse = old.inUse;
    if (keepsOwn(old.destinationEn, next.destinationEn, next.latinSuggested, old.destinationKa, next.destinationKa)) {
        after.destinationEn = old.destinationEn;
        after.latinSuggested = old.latinSuggested;
    }
    // A feed without stop headsigns, or without any for this direction,
    // says nothing of the via: the set's stays, in both scripts.
    if (next.viaKa.isEmpty() && next.viaEn.isEmpty()) {
        after.viaKa = old.viaKa;
        after.viaEn = old.viaEn;
    }
    if (keepsOwn(old.viaEn, next.viaEn, viaGuessed(next), old.viaKa, next.viaKa))
        after.viaEn = old.viaEn;
    if (keepsOwnCase(old.destinationEn, after.destinationEn)) {
        after.destinationEn = old.destinationEn;
        after.latinSuggested = old.latinSuggested;
    }
    if (keepsOwnCase(old.viaEn, after.viaEn))
        after.viaEn = old.viaEn;
    if (keepsOwn(old.destinationKa, next.destinationKa, false, old.destinationEn, next.destinationEn))
        after.destinationKa = old.destinationKa;
    if (keepsOwn(old.viaKa, next.viaKa, false, old.viaEn, next.viaEn))
        after.viaKa = old.viaKa;
    return after;
}

void keepText(Destination& after, const Destination& old, const TextField& f)
{
    after.*f.text = old.*f.text;
    if (f.text == &Destination::destinationEn)
        after.latinSuggested = old.latinSuggested;
}

QString joined(const QString& a, const QString& b) { return a.isEmpty() ? b : b.isEmpty() ? a : a + QStringLiteral("; ") + b; }

// The set's `old` against the incoming `next`, three ways where the last
// import's texts are known.
DestinationChange compared(const Destination& old, const Destination& next, const ImportMemory::Texts* memory,
                           const ScriptNotes& scripts)
{
    DestinationChange change{old, proposed(old, next), {}, next};
    const QString key = codeKey(old.code);
    const auto known = memory ? memory->find(key) : ImportMemory::Texts::const_iterator();
    for (const TextField& f : TextFields) {
        const QString name = QLatin1String(f.name);
        if (old.*f.text == change.after.*f.text)
            continue;
        TextChange t{name, old.*f.text, change.after.*f.text,
                     f.text == &Destination::destinationEn && change.after.latinSuggested, false, {}};
        if (memory && known != memory->end()) {
            const auto was = known->second.find(name);
            if (was != known->second.end() && was->second.value == t.after) {
                // Only the operator changed it since: theirs stays.
                keepText(change.after, old, f);
                continue;
            }
            if (was != known->second.end() && was->second.value != t.before) {
                t.held = true;
                t.note = QCoreApplication::translate("DestinationDiff", "changed by hand since the import of %1")
                             .arg(was->second.time.toLocalTime().date().toString(Qt::ISODate));
            }
        }
        const auto script = scripts.find({key, name});
        if (script != scripts.end()) {
            t.note = joined(t.note, script->second->note);
            t.held = t.held || !script->second->moved;
        }
        if (t.held)
            keepText(change.after, old, f);
        change.texts.push_back(t);
    }
    return change;
}

} // namespace

DestinationDiff diffDestinations(const std::vector<Destination>& current, const std::vector<Destination>& incoming,
                                 const DiffContext& context)
{
    DestinationDiff diff;
    ScriptNotes scripts;
    if (context.scripts)
        for (const ScriptNote& n : *context.scripts)
            scripts.emplace(NoteKey{codeKey(n.code), n.field}, &n);
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
        DestinationChange change = compared(old, *next, context.memory, scripts);
        if (change.texts.empty())
            diff.same.push_back(*next);
        else
            diff.changed.push_back(std::move(change));
    }
    QHash<QString, bool> addedCodes;
    for (const Destination& d : incoming)
        if (!inSet.contains(codeKey(d.code)) && !addedCodes.contains(codeKey(d.code))) {
            addedCodes.insert(codeKey(d.code), true);
            diff.added.push_back(d);
            for (const auto& [at, note] : scripts)
                if (at.first == codeKey(d.code))
                    diff.addedNotes[at] = note->note;
        }
    return diff;
}

QString heldKey(const QString& code, const QString& field) { return code + QLatin1Char('\n') + field; }

DiffSelection selectDiff(const DestinationDiff& diff, const QSet<QString>& accepted, const QSet<QString>& heldTaken)
{
    DiffSelection out;
    for (const Destination& d : diff.added)
        if (accepted.contains(d.code)) {
            out.incoming.push_back(d);
            out.imported.push_back(d);
        }
    for (const DestinationChange& c : diff.changed) {
        const bool whole = accepted.contains(c.after.code);
        Destination next = whole ? c.after : c.before;
        bool taken = whole;
        for (const TextChange& t : c.texts) {
            if (!t.held || !heldTaken.contains(heldKey(c.after.code, t.field)))
                continue;
            for (const TextField& f : TextFields)
                if (t.field == QLatin1String(f.name))
                    next.*f.text = t.after;
            if (t.field == QLatin1String("destination_en"))
                next.latinSuggested = t.suggested;
            taken = true;
        }
        if (!taken)
            continue;
        out.incoming.push_back(next);
        out.imported.push_back(c.incoming);
    }
    for (const Destination& d : diff.removed)
        if (accepted.contains(d.code))
            out.removed << d.code;
    // What the set has already is as the source has it at this import too.
    out.imported.insert(out.imported.end(), diff.same.begin(), diff.same.end());
    return out;
}

std::vector<Destination> applyDiff(const std::vector<Destination>& current, const DestinationDiff& diff,
                                   const QSet<QString>& accepted, const QSet<QString>& heldTaken)
{
    const DiffSelection chosen = selectDiff(diff, accepted, heldTaken);
    QHash<QString, const Destination*> next;
    for (const Destination& d : chosen.incoming)
        next.insert(d.code, &d);
    const QSet<QString> removed(chosen.removed.begin(), chosen.removed.end());
    std::vector<Destination> out;
    QSet<QString> codes;
    for (const Destination& d : current) {
        if (removed.contains(d.code))
            continue;
        const Destination* changed = next.value(d.code);
        out.push_back(changed ? *changed : d);
        codes.insert(d.code);
    }
    for (const Destination& d : diff.added)
        if (next.contains(d.code) && !codes.contains(d.code)) {
            out.push_back(d);
            codes.insert(d.code);
        }
    return out;
}

QSet<QString> heldTexts(const DestinationDiff& diff)
{
    QSet<QString> keys;
    for (const DestinationChange& c : diff.changed)
        for (const TextChange& t : c.texts)
            if (t.held)
                keys.insert(heldKey(c.after.code, t.field));
    return keys;
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
        lines << QStringLiteral("+ %1 %2").arg(codeText(d.code), texts(d, diff.addedNotes));
    for (const DestinationChange& c : diff.changed) {
        QStringList parts;
        for (const TextChange& t : c.texts) {
            QString part = QStringLiteral("%1 %2 → %3").arg(t.field, quoted(t.before), quoted(t.after));
            // A held text leaves the set's mark in `after`.
            if (t.field == QLatin1String("destination_en") && (t.held ? t.suggested : c.after.latinSuggested))
                part += QStringLiteral(" (suggested)");
            const QString note = t.held ? joined(t.note, QStringLiteral("held")) : t.note;
            if (!note.isEmpty())
                part += QStringLiteral(" (%1)").arg(note);
            parts << part;
        }
        lines << QStringLiteral("~ %1: %2").arg(codeText(c.after.code), parts.join(QStringLiteral("; ")));
    }
    for (const Destination& d : diff.removed)
        lines << QStringLiteral("- %1 %2").arg(codeText(d.code), texts(d));
    return lines;
}

} // namespace vexel
