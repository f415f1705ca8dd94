#include "preview/Export.h"

#include "document/AtomicFile.h"
#include "document/ImageFile.h"
#include "preview/GifWriter.h"
#include "preview/ProofSheet.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>

namespace vexel {

const QString& Export::cancelledMessage()
{
    static const QString message = QStringLiteral("The export was cancelled; no file was written.");

    return message;
}

Status Export::writeFile(const QString& path, const QByteArray& bytes)
{
    if (const auto reason = writeAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return Status::failure(ImageFile::createError(path, *reason));
    return Status::success();
}

Status Export::writePng(const QImage& image, const QString& path)
{
    if (image.isNull())
        return Status::failure(ImageFile::createError(path, QStringLiteral("The picture is too large to draw.")));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return Status::failure(ImageFile::createError(path, writer.errorString()));
    return writeFile(path, bytes);
}

LedBitmap Export::framePicture(Timeline& timeline, int frame, bool alone)
{
    if (alone || frame < 0 || frame >= timeline.frameCount())
        return timeline.frameAlone(frame);
    const Timeline::Frame& f = timeline.frame(frame);
    return timeline.stateAt(timeline.loopLength() + f.start + f.entryLength(timeline.stepTime()));
}

Status Export::framePng(const LedBitmap& leds, const SignStyle& style, const QString& path)
{
    return writePng(SignRenderer(style).render(leds), path);
}

namespace {

// The sign's pictures into a GIF. A picture is written once its end is
// known: the pictures after it may be the same, and then it simply shows
// longer. Each picture after the first redraws only the LEDs that changed.
class GifPictures {
public:
    GifPictures(const SignRenderer& renderer, GifWriter& writer, int boardWidth, int boardHeight)
        : renderer_(renderer), writer_(writer), boardWidth_(boardWidth), boardHeight_(boardHeight)
    {
    }

    // `leds` until `endMs` into the loop; `last` for the loop's last picture.
    Status add(const LedBitmap& leds, std::int64_t endMs, bool last)
    {
        const std::int64_t end = (endMs + 5) / 10;
        std::int64_t delay = end - writtenUntil_;
        if (delay <= 0 && !(last && written_.empty()))
            return Status::success(); // too short for the GIF to show: the next picture covers it
        delay = std::max<std::int64_t>(delay, 1);
        const QRect changed = written_.empty() ? QRect(0, 0, boardWidth_, boardHeight_)
                                               : renderer_.affected(SignRenderer::difference(written_, leds), boardWidth_,
                                                                    boardHeight_);
        renderer_.renderIndexed(leds, changed, writer_.canvas(), writer_.width());
        const int cell = renderer_.cellSize();
        const QRect pixels(changed.x() * cell, changed.y() * cell, changed.width() * cell, changed.height() * cell);
        const Status added = writer_.addFrame(pixels, static_cast<int>(std::min<std::int64_t>(delay, 0x7FFFFFFF)));
        written_ = leds;
        writtenUntil_ = end;
        return added;
    }

private:
    const SignRenderer& renderer_;
    GifWriter& writer_;
    const int boardWidth_;
    const int boardHeight_;
    LedBitmap written_;            // what the GIF shows so far
    std::int64_t writtenUntil_ = 0; // hundredths of a second
};

// A timeline with nothing to show: one dark board.
Expected<QByteArray> darkGif(const SignRenderer& renderer, GifWriter& writer, int boardWidth, int boardHeight)
{
    const LedBitmap dark(boardWidth, boardHeight);
    renderer.renderIndexed(dark, QRect(0, 0, boardWidth, boardHeight), writer.canvas(), writer.width());
    const Status added = writer.addFrame(QRect(0, 0, writer.width(), writer.height()), 0);
    if (!added)
        return added;
    return writer.finish();
}

} // namespace

Expected<QByteArray> Export::gifData(Timeline& timeline, const SignStyle& style, const Progress& progress, bool loop)
{
    const SignRenderer renderer(style);
    const int boardWidth = timeline.boardWidth();
    const int boardHeight = timeline.boardHeight();
    const QSize size = renderer.imageSize(boardWidth, boardHeight);
    GifWriter writer(size.width(), size.height(), renderer.palette(), loop);

    const std::int64_t length = timeline.loopLength();
    if (length <= 0)
        return darkGif(renderer, writer, boardWidth, boardHeight);

    GifPictures pictures(renderer, writer, boardWidth, boardHeight);
    const std::int64_t base = loop ? length : 0;
    const int total = timeline.segmentCount();
    int done = 0;
    LedBitmap pending;
    std::int64_t pendingEnd = 0;
    bool hasPending = false;
    for (std::int64_t t = base; t < base + length;) {
        const Timeline::Position at = timeline.locate(t);
        const LedBitmap& leds = timeline.stateAt(t);
        if (hasPending && leds == pending) {
            pendingEnd = at.segmentEnd;
        } else {
            if (hasPending) {
                const Status w = pictures.add(pending, pendingEnd, false);
                if (!w)
                    return w;
            }
            pending = leds;
            pendingEnd = at.segmentEnd;
            hasPending = true;
        }
        t = base + at.segmentEnd;
        ++done;
        if (progress && !progress(done, total))
            return Expected<QByteArray>::failure(cancelledMessage());
    }
    const Status w = pictures.add(pending, pendingEnd, true);
    if (!w)
        return w;
    return writer.finish();
}

Status Export::gif(Timeline& timeline, const SignStyle& style, const QString& path, const Progress& progress, bool loop)
{
    const Expected<QByteArray> data = gifData(timeline, style, progress, loop);
    if (!data) {
        if (cancelled(data.status()))
            return data.status();
        return Status::failure(ImageFile::createError(path, data.error()));
    }
    return writeFile(path, *data);
}

Status Export::proofSheet(Timeline& timeline, const QStringList& titles, const QString& heading, const QString& path,
                          QStringList* written)
{
    ProofSheet sheet(timeline, titles, heading);
    const int pages = sheet.pageCount();
    for (int page = 0; page < pages; ++page) {
        const QString file = ProofSheet::pagePath(path, page);
        if (const Status done = writePng(sheet.render(page), file); !done)
            return done;
        if (written)
            *written << file;
    }
    return Status::success();
}

Status Export::proofSheetPdf(Timeline& timeline, const QStringList& titles, const QString& heading, const QString& path)
{
    ProofSheet sheet(timeline, titles, heading);
    const Expected<QByteArray> bytes = proofSheetPdfData(sheet, heading, path);
    if (!bytes)
        return bytes.status();
    return writeFile(path, *bytes);
}

Expected<QByteArray> Export::proofSheetPdfData(ProofSheet& sheet, const QString& title, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(150);
        writer.setTitle(title);
        QPainter painter(&writer);
        if (!painter.isActive())
            return Status::failure(ImageFile::createError(path, QStringLiteral("The PDF could not be started.")));
        const int pages = sheet.pageCount();
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            const QImage image = sheet.render(page);
            if (image.isNull())
                return Status::failure(ImageFile::createError(path, QStringLiteral("The picture is too large to draw.")));
            const QRect area = painter.viewport();
            const QSize fitted = image.size().scaled(area.size(), Qt::KeepAspectRatio).boundedTo(image.size() * 4);
            painter.drawImage(QRect(area.topLeft(), fitted), image);
        }
    }
    return bytes;
}

} // namespace vexel
