#pragma once

#include <QString>

namespace vexel {

// The words the lettering and the set's history are stored and printed with
// ("14 rows", "condensed 7", "does not fit: ...", "added by an import") as
// the windows show them: in the interface's language. The command line
// shows the stored words and loads no translation, so these leave them as
// they are there. Whatever is not one of the known words (a field's old and
// new text, the reason a text does not fit) is kept as it stands.
QString shownFitStatus(const QString& status);
QString shownHistoryWhat(const QString& what);

} // namespace vexel
