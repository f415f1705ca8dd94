#include "preview/ProofSheet.h"

#include <QCoreApplication>
#include <QFileInfo>
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

// The effects' names in English, in the order of Timeline's Georgian names.
const char* const EntryWords[] = {QT_TRANSLATE_NOOP("ProofSheet", "Appear"),
                                  QT_TRANSLATE_NOOP("ProofSheet", "Slide up from below"),
                                  QT_TRANSLATE_NOOP("ProofSheet", "Slide in from the right")};
const char* const ExitWords[] = {QT_TRANSLATE_NOOP("ProofSheet", "Next frame"),
                                 QT_TRANSLATE_NOOP("ProofSheet", "Slide up"),
                                 QT_TRANSLATE_NOOP("ProofSheet", "Slide out to the left"),
                                 QT_TRANSLATE_NOOP("ProofSheet", "Go dark")};

// "Slide up · ზევით აცურებით"; the Georgian name once where the interface
// is in Georgian.
QString effectName(const char* words, const char* georgian)
{
    const QString shown = QCoreApplication::translate("ProofSheet", words);
    const QString name = QString::fromUtf8(georgian);
    return shown == name ? name : shown + QStringLiteral(" · ") + name;
}

QString effect(const QString& label, const QString& name, int stored, int played)
{
    QString text = label + name;
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
    // Counted from 1 within its image, as the audit counts an image's pages.
    int number = 1;
    while (frame - number >= 0 && timeline_.frame(frame - number).image == f.image)
        ++number;
    QString first = QCoreApplication::translate("ProofSheet", "Frame %1 · %2 s").arg(number).arg(duration);
    if (timeline_.imageCount() > 1)
        first = (f.image < titles_.size() ? titles_[f.image] : QStringLiteral("Image %1").arg(f.image + 1)) +
                QStringLiteral(" · ") + first;
    return {first, effect(QCoreApplication::translate("ProofSheet", "Start: "),
                   effectName(EntryWords[f.entry], Timeline::entryName(f.entry)), f.header.entryEffect, f.entry),
            effect(QCoreApplication::translate("ProofSheet", "End: "),
                   effectName(ExitWords[f.exit], Timeline::exitName(f.exit)), f.header.exitEffect, f.exit)};
}

int ProofSheet::labelLineHeight() const { return QFontMetrics(font(LabelPixels, false)).height(); }

int ProofSheet::headingHeight() const
{
    return heading_.isEmpty() ? 0 : QFontMetrics(font(HeadingPixels, true)).height() + Gap;
}

int ProofSheet::labelWidth() const
{
    if (labelWidth_ < 0) {
        // Measured as the page draws it, on an image; a few pixels spare for
        // the Georgian fallback face's overhang, which eliding counts.
        const QImage page(1, 1, QImage::Format_RGB32);
        const QFontMetrics metrics(font(LabelPixels, false), &page);
        int widest = 0;
        for (int f = 0; f < timeline_.frameCount(); ++f)
            for (const QString& line : labelLines(f))
                widest = std::max(widest, metrics.horizontalAdvance(line));
        labelWidth_ = widest + 4;
    }
    return labelWidth_;
}

// As wide as the sign's picture and the widest label, so a small sign's
// labels are not cut, and never wider than a page.
QSize ProofSheet::cellSize() const
{
    const QSize picture = SignRenderer(cellStyle()).imageSize(timeline_.boardWidth(), timeline_.boardHeight());
    const int label = std::min(std::max(labelWidth(), MinCellWidth), std::max(MinCellWidth, maxWidth_ - 2 * Margin));
    return QSize(std::max(picture.width(), label), picture.height() + 4 + LabelLines * labelLineHeight());
}

int ProofSheet::columns() const { return std::max(1, (maxWidth_ - 2 * Margin + Gap) / (cellSize().width() + Gap)); }

int ProofSheet::rowsPerPage() const
{
    const int room = maxHeight_ - 2 * Margin - headingHeight() + Gap;
    return std::max(1, room / (cellSize().height() + Gap));
}

int ProofSheet::pageCount() const
{
    const int rows = (timeline_.frameCount() + columns() - 1) / columns();
    return std::max(1, (rows + rowsPerPage() - 1) / rowsPerPage());
}

QString ProofSheet::pagePath(const QString& path, int page)
{
    if (page == 0)
        return path;
    const QFileInfo file(path);
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    const QString stem = path.left(path.size() - suffix.size());
    return stem + QStringLiteral("-%1").arg(page + 1) + suffix;
}

QString ProofSheet::pageHeading(int page) const
{
    const int pages = pageCount();
    if (pages == 1 || heading_.isEmpty())
        return heading_;
    return heading_ + QStringLiteral(" · ") +
           QCoreApplication::translate("ProofSheet", "page %1 of %2").arg(page + 1).arg(pages);
}

std::vector<ProofSheet::Cell> ProofSheet::layout(int page) const
{
    const QSize picture = SignRenderer(cellStyle()).imageSize(timeline_.boardWidth(), timeline_.boardHeight());
    const QSize cell = cellSize();
    const int across = columns();
    const int perPage = across * rowsPerPage();
    const int top = Margin + headingHeight();
    std::vector<Cell> cells;
    const int last = std::min(timeline_.frameCount(), (page + 1) * perPage);
    for (int f = std::max(0, page * perPage); f < last; ++f) {
        const int at = f - page * perPage;
        const int x = Margin + (at % across) * (cell.width() + Gap);
        const int y = top + (at / across) * (cell.height() + Gap);
        Cell c;
        c.frame = f;
        c.picture = QRect(QPoint(x, y), picture);
        c.label = QRect(x, y + picture.height() + 4, cell.width(), cell.height() - picture.height() - 4);
        c.lines = labelLines(f);
        cells.push_back(c);
    }
    return cells;
}

QSize ProofSheet::size(int page) const
{
    const std::vector<Cell> cells = layout(page);
    int right = 0, bottom = Margin + headingHeight();
    for (const Cell& c : cells) {
        right = std::max(right, c.label.right() + 1);
        bottom = std::max(bottom, c.label.bottom() + 1);
    }
    const int headingWidth =
        heading_.isEmpty() ? 0 : QFontMetrics(font(HeadingPixels, true)).horizontalAdvance(pageHeading(page));
    right = std::max({right, Margin + std::min(headingWidth, maxWidth_ - 2 * Margin), 1});
    return QSize(right + Margin, bottom + Margin);
}

QImage ProofSheet::render(int page)
{
    const std::vector<Cell> cells = layout(page);
    const QString heading = pageHeading(page);
    QImage sheet(size(page), QImage::Format_RGB32);
    if (sheet.isNull())
        return sheet;
    sheet.fill(Paper);
    SignRenderer renderer(cellStyle());
    QImage picture;
    QPainter painter(&sheet);
    painter.setPen(QColor(Ink));
    if (!heading.isEmpty()) {
        painter.setFont(font(HeadingPixels, true));
        const QFontMetrics metrics(painter.font());
        painter.drawText(QRect(Margin, Margin, sheet.width() - 2 * Margin, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(heading, Qt::ElideRight, sheet.width() - 2 * Margin));
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
