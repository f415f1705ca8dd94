#include "app/TargetChoice.h"

#include "document/PixelArray.h"
#include "widgets/AccessibleText.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>

using vexel::FrameRect;

namespace {

std::optional<FrameRect> intersect(const FrameRect& a, const FrameRect& b)
{
    FrameRect r;
    r.x = std::max(a.x, b.x);
    r.y = std::max(a.y, b.y);
    r.w = std::min(a.right(), b.right()) - r.x;
    r.h = std::min(a.bottom(), b.bottom()) - r.y;
    if (r.w <= 0 || r.h <= 0)
        return std::nullopt;
    return r;
}

} // namespace

QComboBox* TargetChoice::makeBox(QWidget* parent)
{
    box_ = new QComboBox(parent);
    box_->addItems({QComboBox::tr("Frame window"), QComboBox::tr("Selection")});
    nameComboBox(box_, QComboBox::tr("Target"));
    return box_;
}

void TargetChoice::set(const FrameRect& frame, const std::optional<FrameRect>& selection)
{
    const bool hadSelection = selection_.has_value();
    // Nothing outside the board's LEDs is ever a target.
    const FrameRect board{0, 0, vexel::PixelArray::Columns, vexel::PixelArray::Rows};
    frame_ = intersect(frame, board).value_or(
        FrameRect{std::clamp(frame.x, 0, board.w), std::clamp(frame.y, 0, board.h), 0, 0});
    selection_ = selection ? intersect(*selection, frame_) : std::nullopt;
    const QSignalBlocker quiet(box_);
    if (auto* model = qobject_cast<QStandardItemModel*>(box_->model()))
        model->item(1)->setEnabled(selection_.has_value());
    if (!selection_)
        box_->setCurrentIndex(0);
    else if (!hadSelection)
        box_->setCurrentIndex(1);
}

FrameRect TargetChoice::target() const
{
    return box_->currentIndex() == 1 && selection_ ? *selection_ : frame_;
}
