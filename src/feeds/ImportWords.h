#pragma once

#include "depot/Destination.h"
#include "store/SetWords.h"

#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace vexel {

// What an import does with the letter case of Latin texts, text by text:
// `Auto` puts a text in capitals only in title case and cases the words in
// capitals of a text that has small letters too ("McDONALD AV" → "McDonald
// Av"); `Title` only the former; `Keep` leaves every text as it is.
enum class LetterCase { Auto, Keep, Title };

// "keep", "title" or "auto"; false for anything else.
bool parseLetterCase(const QString& name, LetterCase& out);

// A text with a Latin letter and no small letter of any script.
bool capitalsOnly(const QString& text);

// "SPRING CREEK STANLEY AV" → "Spring Creek Stanley Av". Words in `kept`
// (compared without regard to case) are written as the list has them. A
// token is split at hyphens and slashes first ("BROADWAY-168" → "Broadway-
// 168"); a piece with a digit is a code and stays ("B44", "M15", "3AV")
// unless it is a number with its own ordinal ("42ND" → "42nd") or another
// number's ("149ST" → "149 St"). A single letter stays ("AVENUE D"); "of",
// "the", "and", "via" and a few more are small inside a text; after a
// bracket a new word begins, after an apostrophe only when one letter
// precedes it ("O'Hare", "Mary's").
QString titleCase(const QString& text, const QStringList& kept);

// The text as an import suggests it under `mode` (see LetterCase); a text
// without Latin letters comes back as it is.
QString suggestCase(const QString& text, const QStringList& kept, LetterCase mode);

// Double spaces made one, and a separator, comma or dash left at either end
// removed ("5 Av/" → "5 Av", "Church St -" → "Church St"), as is a via
// separator's word, or the start of one in small letters, left at the end
// ("E 174 St  vi" → "E 174 St"). Returns what was removed, as an operator
// reads it ("a double space; \"/\" at the end"), or nothing.
QString cleanText(QString& text, const QStringList& separators);

// "SELECT BUS FORDHAM PLZ" → {"SELECT BUS", "FORDHAM PLZ"}: the service
// words at the start of a headsign, matched without regard to case as
// whole words, several in a row ("+Select Bus"). A text that would be left
// empty is left whole.
struct ServiceSplit {
    QString service;
    QString rest;
};
ServiceSplit splitService(const QString& text, const QStringList& words);

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

// What an import says of a text beyond the text, by the code's key
// (lower case) and the column: "cleaned: a double space".
using TextNotes = std::map<std::pair<QString, QString>, QString>;

// What shapeImported did, for the import's report.
struct ImportShaping {
    int viaSplit = 0;      // destinations whose headsign gave its via
    int serviceSplit = 0;  // destinations whose headsign began with service words
    int titleCased = 0;    // Latin texts in capitals only put in title case
    int mixedCased = 0;    // Latin texts with small letters whose capitals were cased
    int cleaned = 0;       // texts cleaned
    TextNotes notes;       // what the cleaning removed, text by text
};

// An import's destinations as a set would take them: double spaces made
// one; the service words at the start of each headsign split off into its
// service (where it has none yet); each headsign split at the set's via
// separators in both scripts (the via the import already has, from stop
// headsigns or a via column, is kept; only the destination is cut); a
// romanized Latin name made again from the cut Georgian one; stray
// separators at the ends of every text and via part removed; and the Latin
// texts cased by `mode`. A destination whose Latin name is cased is marked
// as a suggestion.
ImportShaping shapeImported(std::vector<Destination>& destinations, const SetWords& words, LetterCase mode);
// What shapeImported cleaned, split into a service and cased in mixed
// texts, a line each, for an import's report.
QStringList shapingReport(const ImportShaping& shaped);

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
