#pragma once

#include "depot/Destination.h"
#include "store/ImportMemory.h"
#include "feeds/ImportScope.h"
#include "feeds/ImportWords.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace vexel {

// One text of a destination that differs; `field` is its column name in the
// route CSV (route, destination_ka, destination_en, via_ka, via_en).
struct TextChange {
    QString field;
    QString before;
    QString after;
    // The incoming Latin destination is only a suggestion.
    bool suggested = false;
    // Taken only when asked for by itself (see selectDiff): the operator
    // changed the text since the last import and the source changed it too,
    // or it is in the other script while that script's column is taken.
    bool held = false;
    // What the operator should know of it: "changed by hand since the
    // import of 2026-12-10", "Georgian text for destination_en; ...".
    QString note;
};

struct DestinationChange {
    Destination before;
    // The destination as it is once the change is applied: the new texts, with
    // the set's note and in-use mark. Held texts keep the set's.
    Destination after;
    std::vector<TextChange> texts;
    // The destination as the source has it, remembered when it is applied.
    Destination incoming;
};

// What an incoming list of destinations (a transit feed's) would change in a
// set, matched by code.
struct DestinationDiff {
    std::vector<Destination> added;           // in the incoming order
    std::vector<DestinationChange> changed;   // in the set's order
    std::vector<Destination> removed;         // in the set's order
    // The set's destinations the incoming list lacks but does not speak
    // for (another operator's, made by hand), left alone; in the set's order.
    std::vector<Destination> untouched;
    // Incoming destinations the set already has as the import would make them.
    std::vector<Destination> same;
    // What the operator should know of an added destination's texts, by
    // code key and column ("Georgian text for destination_en; ...").
    std::map<std::pair<QString, QString>, QString> addedNotes;
    bool isEmpty() const { return added.empty() && changed.empty() && removed.empty(); }
};

// What the comparison knows beyond the two lists.
struct DiffContext {
    // What each text was at the last import (ImportMemory); none compares
    // the set with the incoming list alone.
    const ImportMemory::Texts* memory = nullptr;
    // Texts the import found in the other script's column.
    const std::vector<ScriptNote>* scripts = nullptr;
    // What the import says of its texts beyond them ("cleaned: ...").
    const TextNotes* notes = nullptr;
    // Which destinations the import may remove; none removes every one it
    // lacks. A destination's origin is read from `memory`.
    const ImportScope* scope = nullptr;
};

// The difference from `current` (the set) to `incoming`. A text the incoming
// list has only as a suggestion (a romanized Latin name) or not at all is no
// change when the set has one and the other script's text of the same field
// is the same on both sides: an import never trades an operator's name for a
// guess. Nor does a Latin text that differs from the set's only in letter
// case replace it, unless the set's is in capitals only.
//
// With what the texts were at the last import, a text the operator changed
// since, which the source did not, stays as the operator left it; one both
// changed is held, noting the date of that import. A text in the wrong
// script that could not go to its own column is held too. With a scope,
// only destinations it covers are removed; the others are untouched.
DestinationDiff diffDestinations(const std::vector<Destination>& current, const std::vector<Destination>& incoming,
                                 const DiffContext& context = {});

// The set's destinations with the parts of `diff` whose codes are in
// `accepted` applied: changes in place, removals dropped, additions at the
// end in their incoming order. What is not accepted stays as it was, so a
// removal the operator leaves unticked keeps that destination.
// A held text is taken when `heldTaken` has its heldKey.
std::vector<Destination> applyDiff(const std::vector<Destination>& current, const DestinationDiff& diff,
                                   const QSet<QString>& accepted, const QSet<QString>& heldTaken = {});

// What DestinationSet::apply is given for the parts of `diff` whose codes
// are in `accepted`, and the held texts whose heldKey is in `heldTaken`: the
// added and changed destinations as they are to be (a change with the set's
// texts it keeps), the codes to remove, and the destinations as the source
// has them, whose texts the set remembers where it takes them.
struct DiffSelection {
    std::vector<Destination> incoming;
    QStringList removed;
    std::vector<Destination> imported;
};
DiffSelection selectDiff(const DestinationDiff& diff, const QSet<QString>& accepted,
                         const QSet<QString>& heldTaken = {});
QString heldKey(const QString& code, const QString& field);

// Every code the difference touches, and those of its additions and changes
// only (what `--apply` takes without `--remove`); every held text.
QSet<QString> everyCode(const DestinationDiff& diff);
QSet<QString> addedAndChangedCodes(const DestinationDiff& diff);
QSet<QString> heldTexts(const DestinationDiff& diff);

// One line per destination: "+ CODE texts…", "~ CODE: field "old" → "new"; …",
// "- CODE texts…", texts quoted with line breaks, quotes and backslashes
// escaped so that each stays on its line.
QStringList diffLines(const DestinationDiff& diff);
// One line naming the destinations the import leaves alone, or nothing:
// "destinations of the set not in this feed that are not its to remove
// (...), which stay (3): 61, 88, Q1".
QString untouchedLine(const DestinationDiff& diff);

} // namespace vexel
