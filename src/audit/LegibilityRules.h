#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexel {

// One rule a sign's lettering is held to. Numbers are kept in one unit per
// check: millimetres for heights, a fraction of the letter's height for
// stroke, width and spacing, milliseconds for times, hertz for alternation,
// LEDs for the gap between a route number and its text.
struct LegibilityRule {
    enum class Check { Height, Stroke, Width, Spacing, Touch, Hold, Flash, Loop, Capitals,
                       Lines, NumberGap, LonelyPage, ViaSize };
    enum class Text { Any, Number, Destination };

    QString name;
    Check check = Check::Height;
    Text text = Text::Any;
    QStringList places;         // the signs' places it applies to; empty: every sign
    std::optional<double> min;  // in the check's unit
    std::optional<double> max;
    QString minText;            // the numbers as the file gives them, for the findings
    QString maxText;
    char32_t latinLetter = U'X';        // whose height is measured in a Latin text
    char32_t georgianLetter = U'\u10D1'; // ბ, an ascending letter
    QString quote;
    QString source;
    int line = 0;

    bool appliesTo(const QString& place) const { return places.isEmpty() || places.contains(place); }
    // What the rule asks, in words: "at least 200 mm", "between 1:10 and 1:5".
    QString required() const;
};

// A set of rules read from a text file, one `key value` a line:
//
//   name uk-psvar
//   title The Public Service Vehicles Accessibility Regulations 2000
//   source https://www.legislation.gov.uk/uksi/2000/1970/schedule/2/paragraph/8
//
//   rule number-front
//     check height
//     text number
//     place front rear
//     min 200 mm
//     quote "characters of not less than 200mm in height on the front and rear"
//
// `#` starts a comment line. Keys before the first `rule` describe the set;
// `quote` and `note` lines add to what came before. A rule takes the set's
// source unless it names its own. Anything else is refused with its line.
struct LegibilityRules {
    static constexpr qint64 MaxFileBytes = 256 * 1024;
    static constexpr int MaxRules = 200;
    static constexpr const char* DefaultName = "vexel";
    static constexpr const char* Suffix = ".vrules";

    QString name;
    QString title;
    QString source;
    QString note;
    std::vector<LegibilityRule> rules;

    // `where` names the file in the messages.
    static Expected<LegibilityRules> parse(const QByteArray& text, const QString& where);
    static Expected<LegibilityRules> read(const QString& path);

    // The user's rules folder first (a file there stands in for a shipped
    // one of the same name), then the shipped ones.
    static QStringList folders();
    // A rule set by name ("uk-psvar") from the folders, or a file's path.
    static Expected<LegibilityRules> find(const QString& nameOrPath);
    // The names of every rule set the folders hold, sorted.
    static QStringList available();
};

} // namespace vexel
