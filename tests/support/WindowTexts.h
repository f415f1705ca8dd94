#pragma once

// The captions a window shows, read back as a user sees them: which of them
// are still in Latin letters under a Georgian interface, and which need
// more room than the window gives them.
#include <QSet>
#include <QString>
#include <QStringList>

#include <string>

#include <vector>

class QObject;
class QWidget;

namespace testing_support {

// One caption that is not as it should be.
struct TextFinding {
    QString window; // the window's name in the report
    QString widget; // its object name, or its class and the nearest named parent
    QString text;
    QString why;    // "Latin", "clipped by N px", ...
};

// The Latin words of `text` other than codes, identifiers, file names,
// paths and the words and phrases of `allowed` (the program's name, units,
// key names), which a Georgian window may show as they are.
QStringList latinWords(const QString& text, const QStringList& allowed);

// Every caption of `window` (labels, buttons, group box titles, tabs,
// column headers, list and box entries, field hints, menus, the title)
// that has Latin words. Widgets that are windows of their own are left to
// their own check; so is what shows the user's data: edit fields, text
// views, table cells, the entries of editable boxes, and the entries of the
// boxes and lists in `dataWidgets`.
std::vector<TextFinding> latinCaptions(QWidget* window, const QString& name, const QStringList& allowed,
                                       const QSet<const QObject*>& dataWidgets = {});

// Every shown label, button, check box, group box title, tab and column
// header of `window` whose text needs more width (or a wrapped label more
// height) than it has, and the menu bar's and tool bars' entries pushed
// behind their » button. Each page of a tab widget is shown in turn.
std::vector<TextFinding> clippedCaptions(QWidget* window, const QString& name);

// One finding a line, for a test's failure message.
std::string report(const std::vector<TextFinding>& findings);

} // namespace testing_support
