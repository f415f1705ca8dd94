#include "document/ImageDocument.h"

#include "document/ImageFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace vexel {

namespace {

QString noFrame(int frame) { return QStringLiteral("The image has no frame %1.").arg(frame); }


// What an effect box shows for an effect number: -1 for one it lacks.
int boxIndex(int effect, int items) { return effect >= 0 && effect < items ? effect : -1; }

} // namespace

ImageDocument::ImageDocument(QObject* parent) : QObject(parent) {}

void ImageDocument::makeRows() const
{
    if (!rowsPending_)
        return;
    rowsPending_ = false;
    record_.storeRows(pendingHeader_, pendingWindow_, stored_);
}

std::string ImageDocument::lineText(int index) const
{
    const int row = index - pendingRowLine();
    if (rowsPending_ && row >= 0 && row < pendingWindow_.h)
        return stored_.rowLine(pendingWindow_.y + row, pendingWindow_.firstByte(), pendingWindow_.lastByte());
    return record_.line(index);
}

void ImageDocument::storeRowsLater(int top, int bottom)
{
    if (!rowsPending_)
        return;
    stored_.copyBytes(bits_, top, bottom, pendingWindow_.firstByte(), pendingWindow_.lastByte());
    record_.touch();
}

void ImageDocument::setRecord(ImageRecord record)
{
    rowsPending_ = false;
    record_ = std::move(record);
    emit recordChanged();
}

void ImageDocument::setFrameCount(int count)
{
    makeRows();
    frameCount_ = count;
    record_.setFrameCount(count);
    emit recordChanged();
}

void ImageDocument::recount()
{
    const Expected<int> count = record_.frameCount();
    frameCount_ = count ? *count : 0;
    emit recordChanged();
}

FramePanel ImageDocument::panelFor(const CurrentFrame& frame)
{
    return FramePanel{boxIndex(frame.entryEffect, FrameHeader::EntryEffects),
                      boxIndex(frame.exitEffect, FrameHeader::ExitEffects), frame.duration};
}

void ImageDocument::setCurrent(const CurrentFrame& frame)
{
    current_ = frame;
    emit frameChanged();
}

void ImageDocument::setCurrentFrame(int index)
{
    current_.index = index;
    emit frameChanged();
}

void ImageDocument::setBoardWidth(int width)
{
    boardWidth_ = width;
    if (current_.rect.w > width)
        current_.rect.w = width;
}

void ImageDocument::setBoardHeight(int height)
{
    boardHeight_ = height;
    if (current_.rect.h > height)
        current_.rect.h = height;
}

void ImageDocument::setFolder(const QString& folder)
{
    folder_ = folder;
    emit locationChanged();
}

void ImageDocument::setFileName(const QString& name)
{
    fileName_ = name;
    emit locationChanged();
}

void ImageDocument::setModified(bool on)
{
    if (modified_ == on)
        return;
    modified_ = on;
    emit modifiedChanged(on);
}

Status ImageDocument::load()
{
    Expected<ImageRecord> loaded = ImageFile::load(path());
    if (!loaded)
        return loaded.status();
    adopt(std::move(loaded).value());
    return Status::success();
}

void ImageDocument::adopt(ImageRecord record)
{
    rowsPending_ = false;
    cutFrames_.clear();
    cutAccepted_ = false;
    record_ = std::move(record);
    frameCount_ = record_.frameCount().ok() ? *record_.frameCount() : 0;
    // A file changed on disk may hold fewer frames than the one shown before.
    current_.index = std::clamp(current_.index, 0, std::max(frameCount_ - 1, 0));
    setModified(false);
    emit recordChanged();
    emit frameChanged();
}

Status ImageDocument::showFrame()
{
    makeRows();
    const int header = record_.headerLine(current_.index);
    const Expected<FrameHeader> read =
        header < 0 ? Expected<FrameHeader>::failure(noFrame(current_.index)) : record_.headerAt(header);
    if (!read)
        return read.status();
    current_.entryEffect = read->entryEffect;
    current_.exitEffect = read->exitEffect;
    current_.duration = read->duration;
    current_.rect = read->cappedRect(boardWidth_, boardHeight_);
    current_.rowLinePos = header + 1;
    panel_ = panelFor(current_);
    emit frameChanged();
    return record_.readFrameBits(header, current_.rect, bits_);
}

Status ImageDocument::storeFrame()
{
    const int header = record_.headerLine(current_.index);
    if (header < 0)
        return Status::failure(noFrame(current_.index));
    // An effect box without a selection would otherwise widen its field.
    current_.entryEffect = std::clamp(panel_.entry, 0, FrameHeader::MaxEffect);
    current_.exitEffect = std::clamp(panel_.exit, 0, FrameHeader::MaxEffect);
    current_.duration = std::clamp(panel_.duration, 0, FrameHeader::MaxField);
    // Rows of another frame or window are made before this header moves
    // the lines under them.
    const Expected<FrameHeader> read = record_.headerAt(header);
    if (rowsPending_ &&
        (header != pendingHeader_ || !read || read->cappedRect(boardWidth_, boardHeight_) != pendingWindow_))
        makeRows();
    const Expected<FrameRect> window = record_.storeHeader(header, current_.index, current_.entryEffect,
                                                           current_.exitEffect, current_.duration, boardWidth_,
                                                           boardHeight_);
    if (!window)
        return window.status();
    if (read && (read->rect.w > window->w || read->rect.h > window->h) &&
        std::find(cutFrames_.begin(), cutFrames_.end(), current_.index) == cutFrames_.end())
        cutFrames_.push_back(current_.index);
    stored_ = bits_;
    rowsPending_ = true;
    pendingHeader_ = header;
    pendingWindow_ = *window;
    current_.rect = *window;
    current_.rowLinePos = header + 1;
    emit recordChanged();
    return Status::success();
}

void ImageDocument::makeNew()
{
    rowsPending_ = false;
    cutFrames_.clear();
    cutAccepted_ = false;
    current_.rect = FrameRect{0, 0, boardWidth_, boardHeight_};
    frameCount_ = 1;
    current_.index = 0;
    current_.duration = panel_.duration;
    record_ = ImageRecord::blank(current_.entryEffect, current_.exitEffect, current_.duration, boardWidth_,
                                 boardHeight_, bits_);
    current_.entryEffect = std::max(panel_.entry, 0);
    current_.exitEffect = std::max(panel_.exit, 0);
    current_.rowLinePos = 2;
    fileName_ = QStringLiteral("Untitled") + QString::number(untitledNumber_);
    setModified(false);
    emit recordChanged();
    emit frameChanged();
    emit locationChanged();
}

bool ImageDocument::savesInPlace() const
{
    const QString& name = fileName_;
    const bool titled = !name.isEmpty() && !name.startsWith(QStringLiteral("Untitled"));
    const bool savedUntitled = name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.');
    return titled || savedUntitled;
}

QString ImageDocument::frameList(const std::vector<int>& frames)
{
    std::vector<int> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    QStringList numbers;
    for (const int f : sorted)
        numbers << QString::number(f);
    if (numbers.size() == 1)
        return QCoreApplication::translate("ImageDocument", "frame %1").arg(numbers.front());
    const QString last = numbers.takeLast();
    return QCoreApplication::translate("ImageDocument", "frames %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

std::vector<int> ImageDocument::framesBeyondBoard() const { return record_.framesBeyond(boardWidth_, boardHeight_); }

Status ImageDocument::writable() const
{
    if (cutFrames_.empty() || cutAccepted_)
        return Status::success();
    if (cutFrames_.size() == 1)
        return Status::failure(QCoreApplication::translate("ImageDocument",
                                                           "The image was not written: %1 of it was cut to the %2 x %3 "
                                                           "board, which loses the LEDs beyond it. Save asks before "
                                                           "writing it cut.")
                                   .arg(frameList(cutFrames_), QString::number(boardWidth_),
                                        QString::number(boardHeight_)));
    return Status::failure(QCoreApplication::translate("ImageDocument",
                                                       "The image was not written: %1 of it were cut to the %2 x %3 "
                                                       "board, which loses the LEDs beyond it. Save asks before "
                                                       "writing it cut.")
                               .arg(frameList(cutFrames_), QString::number(boardWidth_), QString::number(boardHeight_)));
}

void ImageDocument::wroteWhole()
{
    // The file now holds the record as it is: nothing more is cut from it.
    cutFrames_.clear();
    cutAccepted_ = false;
}

Status ImageDocument::write()
{
    if (const Status refused = writable(); !refused) {
        setModified(true);
        return refused;
    }
    const Status written = ImageFile::write(path(), record());
    if (written) {
        wroteWhole();
        emit this->written();
    }
    return written;
}

Status ImageDocument::writeAs(const QString& folder, const QString& name)
{
    if (const Status refused = writable(); !refused) {
        setModified(true);
        return refused;
    }
    const Status done = ImageFile::write(folder + name, record());
    if (!done)
        return done;
    wroteWhole();
    folder_ = folder;
    fileName_ = name;
    emit locationChanged();
    emit written();
    return done;
}

ImageDocument::AddFrame ImageDocument::addFrame(const LedRect& selection)
{
    const int x1 = std::clamp(selection.x0, 0, boardWidth_);
    const int y1 = std::clamp(selection.y0, 0, boardHeight_);
    const int x2 = std::clamp(selection.x1, 0, boardWidth_);
    const int y2 = std::clamp(selection.y1, 0, boardHeight_);
    if (x2 - x1 < 8 || y2 - y1 < 3)
        return AddFrame::TooSmall;
    // The frame index has two hex digits in the header.
    if (frameCount_ >= ImageRecord::MaxFrames)
        return AddFrame::TooMany;
    makeRows();
    frameCount_ += 1;
    record_.setFrameCount(frameCount_);
    current_.rect = FrameRect{x1, y1, x2 - x1, y2 - y1};
    current_.index = frameCount_ - 1;
    current_.entryEffect = std::max(panel_.entry, 0);
    current_.exitEffect = std::max(panel_.exit, 0);
    current_.duration = std::clamp(panel_.duration, 0, FrameHeader::MaxField);

    FrameHeader header;
    header.index = current_.index;
    header.entryEffect = current_.entryEffect;
    header.exitEffect = current_.exitEffect;
    header.duration = current_.duration;
    header.rect = current_.rect;
    current_.rowLinePos = record_.lineCount() + 1;
    record_.appendFrame(header, bits_);
    emit recordChanged();
    emit frameChanged();
    return AddFrame::Added;
}

bool ImageDocument::removeFrame(int frame)
{
    if (frame == 0)
        return false;
    makeRows();
    const int header = record_.headerLine(frame);
    const Expected<FrameHeader> removed = record_.headerAt(header);
    if (header < 0 || !removed)
        return false;
    record_.removeLines(header, removed->rect.h + 1);
    frameCount_ -= 1;
    record_.setFrameCount(frameCount_);
    current_.index = frameCount_ - 1;
    emit recordChanged();
    emit frameChanged();
    return true;
}

bool ImageDocument::rewriteHeader(int position, const std::string& digits)
{
    makeRows();
    const int at = current_.rowLinePos - 1;
    if (at < 1 || at >= record_.lineCount())
        return false;
    std::string header = record_.line(at);
    if (header.size() != static_cast<std::size_t>(FrameHeader::Length))
        return false;
    header.replace(static_cast<std::size_t>(position), digits.size(), digits);
    record_.setLine(at, header);
    emit recordChanged();
    return true;
}

} // namespace vexel
