#pragma once

#include "document/Result.h"
#include "preview/Export.h"
#include "preview/SignRenderer.h"
#include "preview/SignTimeline.h"

#include <QString>

#include <vector>

namespace vexel {

// How one export is made; each format reads what concerns it.
struct ExportOptions {
    SignStyle style;   // look, zoom and glow of the board pictures
    int frame = 0;     // the frame of a frame picture, in the timeline
    // The frame alone on a dark board (the editor's current frame), or the
    // board while the frame holds on a later pass (as the proof sheet shows it).
    bool frameAlone = false;
    bool loop = true;  // an animation plays forever, or once from the dark board
    QString heading;   // above a proof sheet
    Export::Progress progress;
};

// A kind of file the sign's pictures are exported as. Each format is
// declared once, in a file of its own under preview/formats, and listed in
// preview/formats/List.h; the editor's File > Export menu and the options of
// `vexel render` are built from that list.
class ExportFormat {
public:
    enum class Scope { Image, SendList };
    struct MenuEntry {
        QString caption;
        Scope scope;
    };

    virtual ~ExportFormat() = default;

    // Short name; `vexel render` takes the file after "--" + name.
    virtual QString name() const = 0;
    // One line for `vexel render --help`.
    virtual QString summary() const = 0;
    // The File > Export entries, in menu order. Formats of one group share a
    // part of the menu between separators.
    virtual std::vector<MenuEntry> menuEntries() const = 0;
    virtual int menuGroup() const = 0;
    // The save dialog's filter ("PNG picture|*.png") and default extension.
    virtual QString filter() const = 0;
    virtual QString extension() const = 0;
    // The file name offered, from the image's base name (or the send list's).
    virtual QString proposedName(const QString& base, Scope scope, int frame) const = 0;
    // Whether it pictures a single frame (the frame option is used).
    virtual bool picturesOneFrame() const { return false; }

    // Whether it can be made from `source` at all; checked before any file
    // of a run is written.
    virtual Status check(const SignTimeline& source, const ExportOptions& options) const;
    // Writes the file, replacing it whole or not at all.
    virtual Status write(SignTimeline& source, const ExportOptions& options, const QString& path) const = 0;

    // Every format, in menu order.
    static const std::vector<const ExportFormat*>& all();
    static const ExportFormat* find(const QString& name);
};

} // namespace vexel
