#pragma once

#include "document/FrameHeader.h"
#include "document/ImageRecord.h"
#include "document/LedBitmap.h"
#include "document/Result.h"

#include <cstdint>
#include <vector>

namespace vexel {

// What the board shows over time for a list of images, played one after
// another and looped. The board starts dark; a frame enters its window (at
// once, or sliding in one LED step at a time), holds for its duration, then
// leaves (not at all, sliding out, or going dark). LEDs outside a frame's
// window keep what they showed. Times are milliseconds from power-on.
class Timeline {
public:
    static constexpr int DefaultStepTime = 30;
    static constexpr int MaxStepTime = 0xFFFF;

    enum Entry { EntryAtOnce = 0, EntrySlideUp = 1, EntrySlideLeft = 2, EntryCount = 3 };
    enum Exit { ExitNone = 0, ExitSlideUp = 1, ExitSlideLeft = 2, ExitDark = 3, ExitCount = 4 };
    enum class Phase { Entry, Hold, Exit };

    struct Frame {
        int image = 0;       // position in the list
        int index = 0;       // frame number within its image
        FrameHeader header;  // as stored, effect digits included
        int entry = 0;       // effect played: unknown digits play as 0
        int exit = 0;
        FrameRect window;    // W and H capped at the board, as the editor reads it
        LedBitmap bits;      // window.w x window.h
        std::int64_t start = 0;       // from the start of a pass
        int entrySteps = 0;
        int exitSteps = 0;
        std::int64_t hold = 0;

        std::int64_t entryLength(int step) const { return std::int64_t{entrySteps} * step; }
        std::int64_t exitLength(int step) const { return std::int64_t{exitSteps} * step; }
        std::int64_t length(int step) const { return entryLength(step) + hold + exitLength(step); }
    };

    // Where a time falls. A segment is the span over which the picture
    // stays as it is: one LED step of a slide, or a hold.
    struct Position {
        std::int64_t pass = 0;       // 0: the first pass, from the dark board
        std::int64_t inPass = 0;     // time from the start of the pass
        int frame = -1;              // -1 when there is nothing to play
        Phase phase = Phase::Hold;
        int step = 0;                // LED step of a slide
        std::int64_t segmentStart = 0; // within the pass
        std::int64_t segmentEnd = 0;
    };

    explicit Timeline(int boardWidth = 96, int boardHeight = 24, int stepTime = DefaultStepTime);

    int boardWidth() const { return boardWidth_; }
    int boardHeight() const { return boardHeight_; }
    int stepTime() const { return stepTime_; }
    // Clamped to 1 .. MaxStepTime.
    void setStepTime(int ms);

    // Appends the frames of a whole image. A record that does not check
    // out adds nothing and says why.
    Status addImage(const ImageRecord& image);
    void clear();

    int imageCount() const { return imageCount_; }
    int frameCount() const { return static_cast<int>(frames_.size()); }
    const Frame& frame(int index) const { return frames_[static_cast<std::size_t>(index)]; }
    // One pass over every frame; 0 when there is nothing to play.
    std::int64_t loopLength() const { return loopLength_; }
    // Segments in one pass: LED steps of every slide plus one hold a frame.
    int segmentCount() const;

    Position locate(std::int64_t time) const;

    // The LEDs lit at `time` (negative times are the dark board). Stepping
    // forward is cheap; stepping back replays from a nearby checkpoint.
    const LedBitmap& stateAt(std::int64_t time);

    // The frame alone on a dark board, as it holds.
    LedBitmap frameAlone(int frame) const;
    // The board while the frame holds when its image is the only one
    // played, on a later pass of it: what a sign showing that image alone
    // shows, nothing of the images before it.
    LedBitmap heldInImage(int frame) const;

    // UTF-8 names of the effects as the operator knows them; unknown
    // digits get the name of the effect they play as.
    static const char* entryName(int effect);
    static const char* exitName(int effect);
    static int playedEntry(int effect) { return effect >= 0 && effect < EntryCount ? effect : EntryAtOnce; }
    static int playedExit(int effect) { return effect >= 0 && effect < ExitCount ? effect : ExitNone; }

private:
    static constexpr int CheckpointEvery = 16;

    void retime();
    // The board just before frame `f` of the first pass (kind 0) or of any
    // later one (kind 1).
    const LedBitmap& baseBefore(int kind, int f);
    void applyFinal(const Frame& frame, LedBitmap& board) const;
    void compose(const Frame& frame, Phase phase, int step, LedBitmap& board) const;

    int boardWidth_;
    int boardHeight_;
    int stepTime_;
    int imageCount_ = 0;
    std::vector<Frame> frames_;
    std::int64_t loopLength_ = 0;

    // Boards before frames 0, 16, 32 ... of each kind of pass.
    std::vector<LedBitmap> checkpoints_[2];
    int cursorKind_ = -1;
    int cursorFrame_ = 0;
    LedBitmap cursor_;
    LedBitmap shown_;
};

} // namespace vexel
