#pragma once

// A plain model of the editing core for the model-based tests: the board's
// LEDs, the image's frames (each a bit array with its window), the undo
// stack of whole states, the selection, the cursor, the clipboard and the
// bytes last written. Random sequences of operations are applied to it and,
// through the application layer, to the editor; after every operation the
// two must agree.
#include "document/FrameHeader.h"
#include "document/LedRect.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace model_testing {

struct Op {
    enum Kind {
        Pencil, Eraser, Rectangle, Line, Flood, MoveDrag, MoveKey, // tools, plain left drags and keys
        AltDraw, AltErase, CtrlAltFill, ShiftSelect, SelectTool, CursorClick, // gestures
        CursorKeys, // arrow keys on the grid, then Space
        Copy, Paste, Fill, Clear, Text, // Edit menu and the Text panel
        AddFrame, RemoveFrame, Entry, Exit, Duration, // frame panel
        Undo, Redo,
        LitColour, UnlitColour, Shape, Grid, Zoom, // appearance
        Save, Load,
        Kinds
    };
    Kind kind = Undo;
    std::vector<QPoint> points; // the pointer's LEDs: press, moves, release
    std::vector<int> values;    // what else the operation takes
    bool unlit = false;         // the Unlit toggle; Ctrl+Alt: the right button
};

std::string describe(const Op& op);

// One frame as the file holds it: header fields and the LEDs of its row
// lines, whole bytes wide (the columns of bytes firstByte..lastByte).
struct Frame {
    int index = 0;
    int entry = 0;
    int exit = 0;
    int duration = 0;
    vexel::FrameRect rect;
    std::vector<std::uint8_t> leds; // rect.h rows of span() columns

    int left() const { return rect.x / 8 * 8; }
    int span() const { return ((rect.x + rect.w - 1) / 8 + 1) * 8 - left(); }
    bool operator==(const Frame& o) const
    {
        return index == o.index && entry == o.entry && exit == o.exit && duration == o.duration && rect == o.rect &&
               leds == o.leds;
    }
};

// What an undo step takes back: the LEDs, the frames, the current frame.
struct State {
    std::vector<std::uint8_t> board; // height rows of padded width
    std::vector<Frame> frames;
    int current = 0;
    bool operator==(const State& o) const { return board == o.board && frames == o.frames && current == o.current; }
    bool operator!=(const State& o) const { return !(*this == o); }
};

class Model {
public:
    Model(int width, int height, std::vector<Frame> frames);

    void apply(const Op& op);

    // The image file's text, written here without the document's code.
    static std::string fileText(const std::vector<Frame>& frames);

    int width() const { return w_; }
    int height() const { return h_; }
    int paddedWidth() const { return wp_; }
    const State& state() const { return s_; }
    const Frame& frame() const { return s_.frames[static_cast<std::size_t>(s_.current)]; }
    bool lit(int x, int y) const;
    const std::string& saved() const { return saved_; }
    bool dirty() const { return pos_ != clean_; }
    bool canUndo() const { return pos_ > 0; }
    bool canRedo() const { return pos_ + 1 < static_cast<int>(states_.size()); }
    const vexel::LedRect& selection() const { return selection_; }
    QPoint cursor() const { return cursor_; }

private:
    void set(int x, int y, bool on);
    bool inWindow(QPoint p) const;
    void store();
    void show(int frame);
    void push(bool writes);
    // Runs `edit` as one step; `writes`: the step writes the file.
    void step(const std::function<void()>& edit, bool writes = false);
    void write();
    void undo(bool back);
    void move(QPoint by);
    bool grab(vexel::LedRect* block) const;

    int w_;
    int h_;
    int wp_;
    State s_;
    std::vector<State> states_;
    std::vector<bool> writes_; // writes_[i]: the step from states_[i] to states_[i + 1]
    int pos_ = 0;
    int clean_ = 0; // -1: no state on the stack is the file's
    std::string saved_;
    std::vector<Frame> savedFrames_;
    vexel::LedRect selection_;
    QPoint cursor_;
    std::vector<std::uint8_t> clip_;
    bool clipFilled_ = false;
};

// A board, an image and the operations to apply to it, all from one seed.
struct Scenario {
    unsigned seed = 0;
    int width = 0;
    int height = 0;
    std::vector<Frame> frames;
    std::vector<Op> ops;
};

Scenario makeScenario(unsigned seed, int operations);

// Where scratch images go: a folder in memory where there is one.
QString scratchBase();

// Applies the scenario's operations to the model and, through the
// application layer, to the editor. Empty when they agreed after every
// operation; else the operation and what differed.
std::string run(const Scenario& scenario);

// The scenario cut down to the fewest operations that still fail (chunks
// dropped while it fails, then single operations), as a report with its
// seed.
std::string shrinkReport(const Scenario& scenario, const std::string& failure);

} // namespace model_testing
