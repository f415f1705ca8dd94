#pragma once

#include "depot/Destination.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// One text of a destination that differs; `field` is its column name in the
// route CSV (route, destination_ka, destination_en, via_ka, via_en).
struct TextChange {
    QString field;
    QString before;
    QString after;
};

struct DestinationChange {
    Destination before;
    // The destination as it is once the change is applied: the new texts, with
    // the set's note and in-use mark.
    Destination after;
    std::vector<TextChange> texts;
};

// What an incoming list of destinations (a transit feed's) would change in a
// set, matched by code.
struct DestinationDiff {
    std::vector<Destination> added;           // in the incoming order
    std::vector<DestinationChange> changed;   // in the set's order
    std::vector<Destination> removed;         // in the set's order
    bool isEmpty() const { return added.empty() && changed.empty() && removed.empty(); }
};

// The difference from `current` (the set) to `incoming`. A text the incoming
// list has only as a suggestion (a romanized Latin name) or not at all is no
// change when the set has one and the other script's text of the same field
// is the same on both sides: an import never trades an operator's name for a
// guess. Nor does a Latin text that differs from the set's only in letter
// case replace it, unless the set's is in capitals only.
DestinationDiff diffDestinations(const std::vector<Destination>& current, const std::vector<Destination>& incoming);

// The set's destinations with the parts of `diff` whose codes are in
// `accepted` applied: changes in place, removals dropped, additions at the
// end in their incoming order. What is not accepted stays as it was, so a
// removal the operator leaves unticked keeps that destination.
std::vector<Destination> applyDiff(const std::vector<Destination>& current, const DestinationDiff& diff,
                                   const QSet<QString>& accepted);

// What DestinationSet::apply is given for the parts of `diff` whose codes
// are in `accepted`: the added and changed destinations as they are to be
// (a change with the set's texts it keeps), and the codes to remove.
struct DiffSelection {
    std::vector<Destination> incoming;
    QStringList removed;
};
DiffSelection selectDiff(const DestinationDiff& diff, const QSet<QString>& accepted);

// Every code the difference touches, and those of its additions and changes
// only (what `--apply` takes without `--remove`).
QSet<QString> everyCode(const DestinationDiff& diff);
QSet<QString> addedAndChangedCodes(const DestinationDiff& diff);

// One line per destination: "+ CODE texts…", "~ CODE: field "old" → "new"; …",
// "- CODE texts…", texts quoted with line breaks, quotes and backslashes
// escaped so that each stays on its line.
QStringList diffLines(const DestinationDiff& diff);

} // namespace vexel
