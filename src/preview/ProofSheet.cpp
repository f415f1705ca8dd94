#include "preview/ProofSheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace vexel {

namespace {

constexpr int Margin = 16;
constexpr int Gap = 16;
constexpr int LabelPixels = 12;
constexpr int HeadingPixels = 16;
constexpr int LabelLines = 3;
constexpr int CellTargetWidth = 360;
// Room for a label line of a list's file name, number and duration.
constexpr int MinCellWidth = 240;
constexpr QRgb Paper = qRgb(255, 255, 255);
constexpr QRgb Ink = qRgb(0, 0, 0);
constexpr int MarkWidth = 3;

QString effect(const char* label, const char* name, int stored, int played)
{
    QString text = QString::fromLatin1(label) + QString::fromUtf8(name);
    // A digit the board does not know plays as the first effect; say which was stored.
    if (stored != played)
        text += QStringLiteral(" (%1)").arg(stored, 0, 16).toUpper();
    return text;
}

} // namespace

ProofSheet::ProofSheet(Timeline& timeline, QStringList titles, QString heading)
    : timeline_(timeline), titles_(std::move(titles)), heading_(std::move(heading))
{
}

void ProofSheet::setMaxWidth(int pixels) { maxWidth_ = pixels; }

QFont ProofSheet::font(int pixelSize, bool bold)
{
    QFont f;
    // Not every family has Georgian; these do.
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Georgian"), QStringLiteral("Sylfaen")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

SignStyle ProofSheet::cellStyle() const
{
    SignStyle style;
    style.zoom = std::clamp(CellTargetWidth / timeline_.boardWidth(), 1, 4);
    return style;
}

QStringList ProofSheet::labelLines(int frame) const
{
    const Timeline::Frame& f = timeline_.frame(frame);
    // Exact to the millisecond, without trailing zeros: 1.5 s, 0 s, 65.535 s.
    QString duration = QString::number(f.header.duration / 1000.0, 'f', 3);
    while (duration.endsWith(QLatin1Char('0')))
        duration.chop(1);
    if (duration.endsWith(QLatin1Char('.')))
        duration.chop(1);
    QString first = QStringLiteral("Frame %1 · %2 s").arg(f.index).arg(duration);
    if (timeline_.imageCount() > 1)
        first = (f.image < titles_.size() ? titles_[f.image] : QStringLiteral("Image %1").arg(f.image + 1)) +
                QStringLiteral(" · ") + first;
    return {first, effect("Start: ", Timeline::entryName(f.entry), f.header.entryEffect, f.entry),
            effect("End: ", Timeline::exitName(f.exit), f.header.exitEffect, f.exit)};
}

int ProofSheet::labelLineHeight() const { return QFontMetrics(font(LabelPixels, false)).height(); }

int ProofSheet::headingHeight() const
{
    return heading_.isEmpty() ? 0 : QFontMetrics(font(HeadingPixels, true)).height() + Gap;
}

std::vector<ProofSheet::Cell> ProofSheet::layout() const
{
    const QSize picture = SignRenderer(cellStyle()).imageSize(timeline_.boardWidth(), timeline_.boardHeight());
    const int cellWidth = std::max(picture.width(), MinCellWidth);
    const int labelHeight = 4 + LabelLines * labelLineHeight();
    const int cellHeight = picture.height() + labelHeight;
    const int columns = std::max(1, (maxWidth_ - 2 * Margin + Gap) / (cellWidth + Gap));
    const int top = Margin + headingHeight();
    std::vector<Cell> cells;
    for (int f = 0; f < timeline_.frameCount(); ++f) {
        const int x = Margin + (f % columns) * (cellWidth + Gap);
        const int y = top + (f / columns) * (cellHeight + Gap);
        Cell cell;
        cell.frame = f;
        cell.picture = QRect(QPoint(x, y), picture);
        cell.label = QRect(x, y + picture.height() + 4, cellWidth, labelHeight - 4);
        cell.lines = labelLines(f);
        cells.push_back(cell);
    }
    return cells;
}

QSize ProofSheet::size() const
{
    const std::vector<Cell> cells = layout();
    int right = 0, bottom = Margin + headingHeight();
    for (const Cell& c : cells) {
        right = std::max(right, c.label.right() + 1);
        bottom = std::max(bottom, c.label.bottom() + 1);
    }
    const int headingWidth = heading_.isEmpty() ? 0 : QFontMetrics(font(HeadingPixels, true)).horizontalAdvance(heading_);
    right = std::max({right, Margin + std::min(headingWidth, maxWidth_ - 2 * Margin), 1});
    return QSize(right + Margin, bottom + Margin);
}

QImage ProofSheet::render()
{
    const std::vector<Cell> cells = layout();
    QImage sheet(size(), QImage::Format_RGB32);
    if (sheet.isNull())
        return sheet;
    sheet.fill(Paper);
    SignRenderer renderer(cellStyle());
    QImage picture;
    QPainter painter(&sheet);
    painter.setPen(QColor(Ink));
    if (!heading_.isEmpty()) {
        painter.setFont(font(HeadingPixels, true));
        const QFontMetrics metrics(painter.font());
        painter.drawText(QRect(Margin, Margin, sheet.width() - 2 * Margin, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(heading_, Qt::ElideRight, sheet.width() - 2 * Margin));
    }
    painter.setFont(font(LabelPixels, false));
    const QFontMetrics metrics(painter.font());
    const std::int64_t later = timeline_.loopLength();
    for (const Cell& cell : cells) {
        const Timeline::Frame& f = timeline_.frame(cell.frame);
        if (apart_)
            renderer.render(timeline_.heldInImage(cell.frame), picture);
        else
            renderer.render(timeline_.stateAt(later + f.start + f.entryLength(timeline_.stepTime())), picture);
        painter.drawImage(cell.picture.topLeft(), picture);
        if (std::find(marked_.begin(), marked_.end(), cell.frame) != marked_.end()) {
            painter.save();
            QPen mark{QColor::fromRgb(MarkColour)};
            mark.setWidth(MarkWidth);
            mark.setJoinStyle(Qt::MiterJoin);
            painter.setPen(mark);
            painter.setBrush(Qt::NoBrush);
            // Around the picture, in the gap, so no LED at its edge is hidden.
            const int out = (MarkWidth + 1) / 2;
            painter.drawRect(cell.picture.adjusted(-out, -out, out - 1, out - 1));
            painter.restore();
        }
        for (int i = 0; i < cell.lines.size(); ++i)
            painter.drawText(QRect(cell.label.x(), cell.label.y() + i * metrics.height(), cell.label.width(), metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(cell.lines[i], Qt::ElideRight, cell.label.width()));
    }
    return sheet;
}

} // namespace vexel
