#include "preview/SignTimeline.h"

#include "document/ImageFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vexel {

Expected<SignTimeline> SignTimeline::ofImage(const ImageRecord& image, const QString& title, const Board& board)
{
    SignTimeline sign;
    sign.timeline_ = Timeline(board.width, board.height, board.stepTime);
    const Status added = sign.timeline_.addImage(image);
    if (!added)
        return added;
    sign.titles_ << title;
    return sign;
}

Expected<SignTimeline> SignTimeline::ofFiles(const QStringList& paths, const Board& board, const QStringList& titles)
{
    if (paths.isEmpty())
        return Expected<SignTimeline>::failure(QCoreApplication::translate("SignTimeline", "The send list is empty."));
    SignTimeline sign;
    sign.timeline_ = Timeline(board.width, board.height, board.stepTime);
    sign.list_ = true;
    for (int i = 0; i < paths.size(); ++i) {
        const Expected<ImageRecord> record = ImageFile::load(paths[i]);
        if (!record)
            return record.status();
        // A file that loads but does not check out would add nothing: the
        // sheet and the GIF would quietly leave it out.
        const Status added = sign.timeline_.addImage(*record);
        if (!added)
            return Expected<SignTimeline>::failure(
                ImageFile::openError(paths[i], added.error()));
        sign.titles_ << (i < titles.size() ? titles[i] : QFileInfo(paths[i]).fileName());
    }
    return sign;
}

} // namespace vexel
