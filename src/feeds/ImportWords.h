#pragma once

#include "depot/Destination.h"
#include "store/SetWords.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// What an import does with Latin texts in capitals only: `Auto` puts them in
// title case when every Latin text of the import is in capitals (a feed that
// shouts), `Title` puts each such text in title case, `Keep` leaves them.
enum class LetterCase { Auto, Keep, Title };

// "keep", "title" or "auto"; false for anything else.
bool parseLetterCase(const QString& name, LetterCase& out);

// A text with a Latin letter and no small letter of any script.
bool capitalsOnly(const QString& text);

// "SPRING CREEK STANLEY AV" → "Spring Creek Stanley Av". Words in `kept`
// (compared without regard to case) are written as the list has them; a
// word with a digit ("B44", "M15") and a single letter ("AVENUE D") stay as
// they are; "of", "the", "and", "via" and a few more are small inside a text;
// after a hyphen, slash or bracket a new word begins, after an apostrophe
// only when one letter precedes it ("O'Hare", "Mary's").
QString titleCase(const QString& text, const QStringList& kept);

// "X via Y via Z" → {"X", "Y, Z"}, the separators matched without regard to
// case. A text without a separator, or with nothing before the first, is
// left whole with an empty via.
struct ViaSplit {
    QString destination;
    QString via;
};
ViaSplit splitVia(const QString& text, const QStringList& separators);

// The set's own Latin text stays against an incoming one that differs from
// it only in letter case, unless the set's is in capitals only: an operator's
// "Stanley AV" is not traded for a suggested "Stanley Av", an old import's
// "STANLEY AV" is.
bool keepsOwnCase(const QString& own, const QString& incoming);

// What shapeImported did, for the import's report.
struct ImportShaping {
    int viaSplit = 0;    // destinations whose headsign gave its via
    int titleCased = 0;  // Latin texts put in title case
};

// An import's destinations as a set would take them: each headsign split at
// the set's via separators in both scripts (the via the import already has,
// from stop headsigns or a via column, is kept; only the destination is cut),
// a romanized Latin name made again from the cut Georgian one, and Latin
// texts in capitals put in title case by `mode`. A destination whose Latin
// name is put in title case is marked as a suggestion.
ImportShaping shapeImported(std::vector<Destination>& destinations, const SetWords& words, LetterCase mode);

// A text an import found in the column of the other script: Georgian in a
// Latin column, or Latin in a Georgian one.
struct ScriptNote {
    QString code;
    // The column it is proposed in: its own script's when it was moved
    // there, else the one it came in.
    QString field;
    // "Georgian text for destination_en; the feed's language is en"
    QString note;
    bool moved = false;
};

// Each such text moved to its own script's column where that is empty (a
// Latin one that is only the romanization of the Georgian counts as empty),
// the Latin name then romanized from the Georgian and marked as suggested;
// where the column is taken the text stays and is noted only. `language`
// is the source's, for the notes. A text with letters of both scripts is
// left alone.
std::vector<ScriptNote> placeScripts(std::vector<Destination>& destinations, const QString& language);

} // namespace vexel
