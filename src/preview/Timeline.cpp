#include "preview/Timeline.h"

#include "document/PixelArray.h"

#include <algorithm>
#include <cstring>

namespace vexel {

namespace {

// Copies a w x h block of `src` at (sx, sy) onto `dst` at (dx, dy); the part
// that falls off the board is dropped. The block always lies inside `src`.
void copyBlock(const LedBitmap& src, int sx, int sy, int w, int h, LedBitmap& dst, int dx, int dy)
{
    w = std::min(w, dst.width() - dx);
    h = std::min(h, dst.height() - dy);
    if (w <= 0 || h <= 0)
        return;
    for (int r = 0; r < h; ++r)
        std::memcpy(dst.row(dy + r) + dx, src.row(sy + r) + sx, static_cast<std::size_t>(w));
}

void clearBlock(LedBitmap& dst, int x, int y, int w, int h)
{
    w = std::min(w, dst.width() - x);
    h = std::min(h, dst.height() - y);
    if (w <= 0 || h <= 0)
        return;
    for (int r = 0; r < h; ++r)
        std::memset(dst.row(y + r) + x, 0, static_cast<std::size_t>(w));
}

constexpr const char* EntryNames[] = {"ანთებით", "ქვემოდან ამოცურებით", "მარჯვნიდან შემოცურებით"};
constexpr const char* ExitNames[] = {"შემდ. კადრით ჩანაცვლებით", "ზევით აცურებით", "მარცხნივ გაცურებით", "ჩაქრობით"};

} // namespace

Timeline::Timeline(int boardWidth, int boardHeight, int stepTime)
    : boardWidth_(std::clamp(boardWidth, 1, PixelArray::Columns)),
      boardHeight_(std::clamp(boardHeight, 1, PixelArray::Rows)),
      stepTime_(std::clamp(stepTime, 1, MaxStepTime))
{
}

void Timeline::setStepTime(int ms)
{
    stepTime_ = std::clamp(ms, 1, MaxStepTime);
    retime();
}

Status Timeline::addImage(const ImageRecord& image)
{
    const Status checked = image.check();
    if (!checked)
        return checked;
    const Expected<int> count = image.frameCount();
    if (!count)
        return count.status();

    std::vector<Frame> added;
    added.reserve(static_cast<std::size_t>(*count));
    PixelArray bits;
    for (int f = 0; f < *count; ++f) {
        const int line = image.headerLine(f);
        const Expected<FrameHeader> header = image.headerAt(line);
        if (!header)
            return header.status();
        Frame frame;
        frame.image = imageCount_;
        frame.index = f;
        frame.header = *header;
        frame.entry = playedEntry(header->entryEffect);
        frame.exit = playedExit(header->exitEffect);
        frame.window = header->cappedRect(boardWidth_, boardHeight_);
        const FrameRect& w = frame.window;
        const Status read = image.readFrameBits(line, w, bits);
        if (!read)
            return read;
        frame.bits = LedBitmap(w.w, w.h);
        for (int r = 0; r < w.h; ++r) {
            const std::uint8_t* packed = bits.rowData(w.y + r);
            std::uint8_t* out = frame.bits.row(r);
            for (int c = 0; c < w.w; ++c) {
                const int x = w.x + c;
                out[c] = static_cast<std::uint8_t>((packed[x >> 3] >> (7 - (x & 7))) & 1);
            }
        }
        added.push_back(std::move(frame));
    }
    frames_.insert(frames_.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    ++imageCount_;
    retime();
    // Every later pass starts from where the new end leaves the board.
    checkpoints_[0].clear();
    checkpoints_[1].clear();
    cursorKind_ = -1;
    return Status::success();
}

void Timeline::clear()
{
    frames_.clear();
    imageCount_ = 0;
    loopLength_ = 0;
    checkpoints_[0].clear();
    checkpoints_[1].clear();
    cursorKind_ = -1;
}

void Timeline::retime()
{
    std::int64_t at = 0;
    for (Frame& f : frames_) {
        f.entrySteps = f.entry == EntrySlideUp ? f.window.h : f.entry == EntrySlideLeft ? f.window.w : 0;
        // Going dark shows the dark window for one step before the next frame.
        f.exitSteps = f.exit == ExitSlideUp ? f.window.h : f.exit == ExitSlideLeft ? f.window.w : f.exit == ExitDark ? 1 : 0;
        // A duration of 0 still shows the frame for the shortest time the board can.
        f.hold = f.header.duration > 0 ? f.header.duration : stepTime_;
        f.start = at;
        at += f.length(stepTime_);
    }
    loopLength_ = at;
}

int Timeline::segmentCount() const
{
    int n = 0;
    for (const Frame& f : frames_)
        n += f.entrySteps + 1 + f.exitSteps;
    return n;
}

Timeline::Position Timeline::locate(std::int64_t time) const
{
    Position p;
    if (frames_.empty() || loopLength_ <= 0 || time < 0)
        return p;
    p.pass = time / loopLength_;
    p.inPass = time % loopLength_;
    const auto after = std::upper_bound(frames_.begin(), frames_.end(), p.inPass,
                                        [](std::int64_t t, const Frame& f) { return t < f.start; });
    p.frame = static_cast<int>(after - frames_.begin()) - 1;
    const Frame& f = frames_[static_cast<std::size_t>(p.frame)];
    const std::int64_t step = stepTime_;
    const std::int64_t offset = p.inPass - f.start;
    const std::int64_t entry = f.entryLength(stepTime_);
    if (offset < entry) {
        p.phase = Phase::Entry;
        p.step = static_cast<int>(offset / step);
        p.segmentStart = f.start + p.step * step;
        p.segmentEnd = p.segmentStart + step;
    } else if (offset < entry + f.hold) {
        p.phase = Phase::Hold;
        p.segmentStart = f.start + entry;
        p.segmentEnd = p.segmentStart + f.hold;
    } else {
        p.phase = Phase::Exit;
        p.step = static_cast<int>((offset - entry - f.hold) / step);
        p.segmentStart = f.start + entry + f.hold + p.step * step;
        p.segmentEnd = p.segmentStart + step;
    }
    return p;
}

const LedBitmap& Timeline::stateAt(std::int64_t time)
{
    const Position p = locate(time);
    if (p.frame < 0) {
        if (shown_.width() != boardWidth_ || shown_.height() != boardHeight_)
            shown_ = LedBitmap(boardWidth_, boardHeight_);
        else
            shown_.fill(false);
        return shown_;
    }
    shown_ = baseBefore(p.pass > 0 ? 1 : 0, p.frame);
    compose(frames_[static_cast<std::size_t>(p.frame)], p.phase, p.step, shown_);
    return shown_;
}

LedBitmap Timeline::frameAlone(int frame) const
{
    LedBitmap board(boardWidth_, boardHeight_);
    if (frame >= 0 && frame < frameCount())
        compose(frames_[static_cast<std::size_t>(frame)], Phase::Hold, 0, board);
    return board;
}

LedBitmap Timeline::heldInImage(int frame) const
{
    LedBitmap board(boardWidth_, boardHeight_);
    if (frame < 0 || frame >= frameCount())
        return board;
    const auto at = [this](int f) -> const Frame& { return frames_[static_cast<std::size_t>(f)]; };
    const int image = at(frame).image;
    int first = frame;
    while (first > 0 && at(first - 1).image == image)
        --first;
    int end = frame + 1;
    while (end < frameCount() && at(end).image == image)
        ++end;
    // The first pass from the dark board, then the later one up to the frame.
    for (int f = first; f < end; ++f)
        applyFinal(at(f), board);
    for (int f = first; f < frame; ++f)
        applyFinal(at(f), board);
    compose(at(frame), Phase::Hold, 0, board);
    return board;
}

const LedBitmap& Timeline::baseBefore(int kind, int f)
{
    std::vector<LedBitmap>& marks = checkpoints_[kind];
    if (marks.empty()) {
        if (kind == 0) {
            marks.emplace_back(boardWidth_, boardHeight_);
        } else {
            // A later pass begins with what the end of the first one left.
            LedBitmap end = baseBefore(0, frameCount());
            marks.push_back(std::move(end));
        }
    }
    if (cursorKind_ != kind || cursorFrame_ > f) {
        const std::size_t mark = std::min(static_cast<std::size_t>(f / CheckpointEvery), marks.size() - 1);
        cursor_ = marks[mark];
        cursorFrame_ = static_cast<int>(mark) * CheckpointEvery;
        cursorKind_ = kind;
    }
    while (cursorFrame_ < f) {
        applyFinal(frames_[static_cast<std::size_t>(cursorFrame_)], cursor_);
        ++cursorFrame_;
        if (cursorFrame_ % CheckpointEvery == 0 && marks.size() == static_cast<std::size_t>(cursorFrame_ / CheckpointEvery))
            marks.push_back(cursor_);
    }
    return cursor_;
}

void Timeline::applyFinal(const Frame& frame, LedBitmap& board) const
{
    const FrameRect& w = frame.window;
    if (frame.exit == ExitNone)
        copyBlock(frame.bits, 0, 0, w.w, w.h, board, w.x, w.y);
    else
        clearBlock(board, w.x, w.y, w.w, w.h);
}

void Timeline::compose(const Frame& frame, Phase phase, int step, LedBitmap& board) const
{
    const FrameRect& w = frame.window;
    const int n = step + 1; // rows or columns moved so far, the step included
    switch (phase) {
    case Phase::Hold:
        copyBlock(frame.bits, 0, 0, w.w, w.h, board, w.x, w.y);
        break;
    case Phase::Entry:
        // The part of the window not reached yet shows what it showed.
        if (frame.entry == EntrySlideUp)
            copyBlock(frame.bits, 0, 0, w.w, n, board, w.x, w.y + w.h - n);
        else if (frame.entry == EntrySlideLeft)
            copyBlock(frame.bits, 0, 0, n, w.h, board, w.x + w.w - n, w.y);
        break;
    case Phase::Exit:
        if (frame.exit == ExitSlideUp) {
            copyBlock(frame.bits, 0, n, w.w, w.h - n, board, w.x, w.y);
            clearBlock(board, w.x, w.y + w.h - n, w.w, n);
        } else if (frame.exit == ExitSlideLeft) {
            copyBlock(frame.bits, n, 0, w.w - n, w.h, board, w.x, w.y);
            clearBlock(board, w.x + w.w - n, w.y, n, w.h);
        } else if (frame.exit == ExitDark) {
            clearBlock(board, w.x, w.y, w.w, w.h);
        }
        break;
    }
}

const char* Timeline::entryName(int effect) { return EntryNames[playedEntry(effect)]; }

const char* Timeline::exitName(int effect) { return ExitNames[playedExit(effect)]; }

} // namespace vexel
