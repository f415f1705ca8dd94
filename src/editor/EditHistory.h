#pragma once

#include "document/ImageDocument.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace vexel {

// The lines of a record that one step changed: lines first.. held `before`
// and hold `after` (the two may differ in number).
struct RecordDiff {
    int first = 0;
    std::vector<std::string> before;
    std::vector<std::string> after;

    bool empty() const { return before.empty() && after.empty(); }
    std::size_t bytes() const;
    // The smallest run of lines that turns `old` into `now`.
    static RecordDiff between(const ImageRecord& old, const ImageRecord& now);
    // Applies the diff forward (before -> after) or back.
    void apply(ImageRecord& record, bool forward) const;
};

// The LEDs of the bit array that one step changed, by their index
// row * PixelArray::Columns + column, with the state each was left in; the
// state before is the other one. States, not colours: the pictures are drawn
// from them in whatever colours are in force when the step is replayed.
struct LedDiff {
    struct Change {
        std::int32_t index;
        bool after;
    };
    std::vector<Change> changes;

    bool empty() const { return changes.empty(); }
    std::size_t bytes() const { return changes.capacity() * sizeof(Change); }
};

// Row lines of the current frame that a step keeps as LEDs only: lines
// first..first+count-1, rows of `window` from rowLinePos on, are made from
// the LEDs again once the step is applied, except those the step's record
// diff holds.
struct RowsFromLeds {
    int first = 0;
    int count = 0;
    int rowLinePos = 0;
    FrameRect window;

    bool empty() const { return count == 0; }
    bool contains(int line) const { return line >= first && line < first + count; }
    int rowOf(int line) const { return window.y + line - rowLinePos; }
};

// One user action as the history keeps it: what changed in the record and
// among the LEDs, the current frame before and after, and whether the
// action wrote the file. A change is kept once: the row lines that only
// follow the LEDs are in `rows`, not in `record`.
struct EditStep {
    QString name; // "paint", "add frame", ...
    RecordDiff record;
    LedDiff leds;
    RowsFromLeds rows;
    CurrentFrame frameBefore;
    CurrentFrame frameAfter;
    bool writesFile = false;
    // Steps of one run (the key releases of one duration entry) share a
    // non-zero key and merge into one.
    int mergeKey = 0;

    std::size_t bytes() const;
};

// The undo and redo stack. Keeps at most limit() bytes of steps, dropping
// the oldest; knows which position matches the file (the clean one).
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t DefaultLimit = std::size_t{64} * 1024 * 1024;

    explicit EditHistory(QObject* parent = nullptr) : QObject(parent) {}

    // Adds a step after the current position, dropping the steps that could
    // have been redone; merges it into the top step when both belong to an
    // open run with the same key and lines.
    void push(EditStep step);
    // Ends the run that later steps of the same key would merge into.
    void closeRun() { runOpen_ = false; }

    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < static_cast<int>(steps_.size()); }
    QString undoText() const; // "Undo paint", or "Undo"
    QString redoText() const;
    // Moves the position back or on and hands out the step to apply; null
    // when there is none.
    const EditStep* stepBack();
    const EditStep* stepOn();
    // The step an undo would take back; null when there is none.
    const EditStep* undoStep() const { return canUndo() ? &steps_[static_cast<std::size_t>(index_ - 1)] : nullptr; }
    // The step a redo would apply again; null when there is none.
    const EditStep* redoStep() const { return canRedo() ? &steps_[static_cast<std::size_t>(index_)] : nullptr; }

    void clear();
    // The current position matches the file; isClean() holds there only.
    void setClean();
    bool isClean() const { return clean_ == index_; }

    int count() const { return static_cast<int>(steps_.size()); }
    int index() const { return index_; }
    std::size_t bytes() const { return bytes_; }
    std::size_t limit() const { return limit_; }
    void setLimit(std::size_t bytes);

signals:
    void changed();

private:
    void dropOldest();

    std::deque<EditStep> steps_;
    std::deque<std::size_t> sizes_;
    int index_ = 0;
    int clean_ = 0; // -1: the saved state is no longer on the stack
    std::size_t bytes_ = 0;
    std::size_t limit_ = DefaultLimit;
    bool runOpen_ = false;
};

} // namespace vexel
