#include "lettering/QtFontSource.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace vexel {

QtFontSource::QtFontSource(const QString& family, int height, bool bold) : height_(std::max(1, height))
{
    font_.setFamily(family);
    font_.setBold(bold);
    // Font merging would borrow missing characters from other families and
    // hide that this font lacks them.
    font_.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font_.setHintingPreference(QFont::PreferFullHinting);
    int size = height_;
    for (; size > 1; --size) {
        font_.setPixelSize(size);
        const QFontMetrics metrics(font_);
        if (metrics.ascent() + metrics.descent() <= height_)
            break;
    }
    font_.setPixelSize(size);
    ascent_ = QFontMetrics(font_).ascent();
}

const Glyph* QtFontSource::glyph(char32_t c)
{
    const auto found = glyphs_.find(c);
    if (found != glyphs_.end())
        return &found->second;
    if (missing_.count(c))
        return nullptr;
    const QFontMetrics metrics(font_);
    if (!metrics.inFontUcs4(static_cast<uint>(c))) {
        missing_.insert(c);
        return nullptr;
    }
    const QString text = QString::fromUcs4(&c, 1);
    Glyph g;
    g.advance = metrics.horizontalAdvance(text);
    // Room on both sides for ink that reaches past the advance.
    const int margin = height_;
    QImage image(g.advance + 2 * margin, height_, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(margin, ascent_, text);
    }
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) >= 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    }
    if (last < first) {
        g.left = 0;
        g.cell = LedBitmap(0, height_);
    } else {
        g.left = first - margin;
        g.cell = LedBitmap(last - first + 1, height_);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = first; x <= last; ++x)
                g.cell.set(x - first, y, qAlpha(line[x]) >= 128);
        }
    }
    return &glyphs_.emplace(c, std::move(g)).first->second;
}

} // namespace vexel
