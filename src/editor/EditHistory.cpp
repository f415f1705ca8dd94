#include "editor/EditHistory.h"

#include <algorithm>

namespace vexel {

namespace {

std::size_t linesBytes(const std::vector<std::string>& lines)
{
    std::size_t n = lines.capacity() * sizeof(std::string);
    for (const std::string& l : lines)
        n += l.capacity() > 15 ? l.capacity() + 1 : 0; // short strings live inside
    return n;
}

} // namespace

std::size_t RecordDiff::bytes() const { return linesBytes(before) + linesBytes(after); }

RecordDiff RecordDiff::between(const ImageRecord& old, const ImageRecord& now)
{
    const std::vector<std::string>& a = old.lines();
    const std::vector<std::string>& b = now.lines();
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t head = 0;
    while (head < shorter && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    RecordDiff d;
    d.first = static_cast<int>(head);
    d.before.assign(a.begin() + static_cast<std::ptrdiff_t>(head), a.end() - static_cast<std::ptrdiff_t>(tail));
    d.after.assign(b.begin() + static_cast<std::ptrdiff_t>(head), b.end() - static_cast<std::ptrdiff_t>(tail));
    return d;
}

void RecordDiff::apply(ImageRecord& record, bool forward) const
{
    const std::vector<std::string>& from = forward ? before : after;
    const std::vector<std::string>& to = forward ? after : before;
    record.replaceLines(first, static_cast<int>(from.size()), to);
}

std::size_t EditStep::bytes() const
{
    return sizeof(EditStep) + static_cast<std::size_t>(name.capacity()) * 2 + record.bytes() + leds.bytes();
}

void EditHistory::push(EditStep step)
{
    // The steps that could have been redone are gone.
    while (static_cast<int>(steps_.size()) > index_) {
        bytes_ -= sizes_.back();
        steps_.pop_back();
        sizes_.pop_back();
    }
    if (clean_ > index_)
        clean_ = -1;

    const bool merge = runOpen_ && step.mergeKey != 0 && index_ > 0 && steps_.back().mergeKey == step.mergeKey &&
                       steps_.back().record.first == step.record.first &&
                       steps_.back().record.after.size() == step.record.before.size() && step.leds.empty() &&
                       steps_.back().frameAfter.index == step.frameBefore.index;
    if (merge) {
        EditStep& top = steps_.back();
        top.record.after = std::move(step.record.after);
        top.frameAfter = step.frameAfter;
        top.writesFile = top.writesFile || step.writesFile;
        bytes_ -= sizes_.back();
        sizes_.back() = top.bytes();
        bytes_ += sizes_.back();
        if (clean_ == index_)
            clean_ = -1; // the top state is another one now
    } else {
        runOpen_ = step.mergeKey != 0;
        sizes_.push_back(step.bytes());
        bytes_ += sizes_.back();
        steps_.push_back(std::move(step));
        ++index_;
    }
    while (bytes_ > limit_ && steps_.size() > 1)
        dropOldest();
    emit changed();
}

void EditHistory::dropOldest()
{
    bytes_ -= sizes_.front();
    steps_.pop_front();
    sizes_.pop_front();
    --index_;
    if (clean_ == 0)
        clean_ = -1;
    else if (clean_ > 0)
        --clean_;
    if (index_ < 0) // only when the current position itself fell off
        index_ = 0;
}

QString EditHistory::undoText() const
{
    return canUndo() ? QStringLiteral("Undo ") + steps_[static_cast<std::size_t>(index_ - 1)].name
                     : QStringLiteral("Undo");
}

QString EditHistory::redoText() const
{
    return canRedo() ? QStringLiteral("Redo ") + steps_[static_cast<std::size_t>(index_)].name
                     : QStringLiteral("Redo");
}

const EditStep* EditHistory::stepBack()
{
    if (!canUndo())
        return nullptr;
    runOpen_ = false;
    --index_;
    emit changed();
    return &steps_[static_cast<std::size_t>(index_)];
}

const EditStep* EditHistory::stepOn()
{
    if (!canRedo())
        return nullptr;
    runOpen_ = false;
    ++index_;
    emit changed();
    return &steps_[static_cast<std::size_t>(index_ - 1)];
}

void EditHistory::clear()
{
    steps_.clear();
    sizes_.clear();
    index_ = 0;
    clean_ = 0;
    bytes_ = 0;
    runOpen_ = false;
    emit changed();
}

void EditHistory::setClean()
{
    clean_ = index_;
    emit changed();
}

void EditHistory::setLimit(std::size_t bytes)
{
    limit_ = bytes;
    while (bytes_ > limit_ && steps_.size() > 1)
        dropOldest();
    emit changed();
}

} // namespace vexel
