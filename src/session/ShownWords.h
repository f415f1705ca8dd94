#pragma once

#include <QString>

namespace vexel {

struct FitResult;
struct PresetLayout;

// The words the lettering and the set's history are stored and printed with
// ("14 rows", "condensed 7", "does not fit: ...", "added by an import") as
// the windows show them: in the interface's language. The command line
// shows the stored words and loads no translation, so these leave them as
// they are there. Whatever is not one of the known words (a field's old and
// new text) is kept as it stands.
QString shownFitStatus(const QString& status);
// Why a destination does not fit ("frame 2: the font lacks \"ა\"", "the
// image is 96 x 16, the sign 112 x 16"), worded again from its facts; a
// reason the lettering does not give is kept as it stands.
QString shownFitReason(const QString& reason);
QString shownHistoryWhat(const QString& what);

// The Text panel's line on a fit and on a preset, said from their facts in
// the interface's language; without a translation they read as
// FitResult::message and PresetLayout::message, which the command line
// prints.
QString shownFitMessage(const FitResult& fit);
QString shownPresetMessage(const PresetLayout& layout);

} // namespace vexel
