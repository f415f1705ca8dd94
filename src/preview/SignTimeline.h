#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"
#include "preview/Timeline.h"

#include <QString>
#include <QStringList>

namespace vexel {

// What the sign plays, ready for the exports: one image, or a list of image
// files one after another, with the names that label them. The editor's
// File > Export and `vexel render` both start here.
class SignTimeline {
public:
    struct Board {
        int width = 96;
        int height = 24;
        int stepTime = Timeline::DefaultStepTime;
    };

    SignTimeline() = default;

    // The image in memory (the editor's current one).
    static Expected<SignTimeline> ofImage(const ImageRecord& image, const QString& title, const Board& board);
    // The files in order, all or nothing: the first one that does not load
    // or check out is the error, naming it. `titles` default to the file
    // names.
    static Expected<SignTimeline> ofFiles(const QStringList& paths, const Board& board,
                                          const QStringList& titles = {});

    Timeline& timeline() { return timeline_; }
    const Timeline& timeline() const { return timeline_; }
    const QStringList& titles() const { return titles_; }
    // A list labels its pictures with the file they come from.
    bool isList() const { return list_; }

private:
    Timeline timeline_;
    QStringList titles_;
    bool list_ = false;
};

} // namespace vexel
