#include "app/DestinationsLook.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionViewItem>

namespace vexel::DestinationsLook {

QIcon markIcon(DestinationsModel::Mark mark)
{
    using Mark = DestinationsModel::Mark;
    static QIcon made[4];
    const int i = static_cast<int>(mark);
    if (!made[i].isNull())
        return made[i];
    static const QColor colours[] = {QColor(0x2e, 0x9e, 0x44), QColor(0x2a, 0x6f, 0xdb), QColor(0xe0, 0x8a, 0x00),
                                     QColor(0xd0, 0x21, 0x21)};
    QPixmap p(14, 14);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours[i]);
    if (mark == Mark::Stale) {
        // A triangle: the image says something the destination no longer does.
        const QPointF points[] = {{7, 1}, {13, 13}, {1, 13}};
        painter.drawPolygon(points, 3);
    } else if (mark == Mark::Unfit) {
        painter.drawRect(QRectF(1, 1, 12, 12));
    } else {
        painter.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    }
    painter.end();
    made[i] = QIcon(p);
    return made[i];
}

void apply(QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QVariant mark = index.data(DestinationsModel::MarkRole);
    if (mark.isValid()) {
        option.icon = markIcon(static_cast<DestinationsModel::Mark>(mark.toInt()));
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    if (index.data(DestinationsModel::UnfitRowRole).toBool())
        option.backgroundBrush = QColor(0xff, 0xd6, 0xd6);
    const QVariant fits = index.data(DestinationsModel::FitsRole);
    if (fits.isValid() && (!fits.toBool() || index.data(DestinationsModel::StaleRole).toBool()))
        option.palette.setColor(QPalette::Text, QColor(0xa0, 0x10, 0x10));
    if (index.data(DestinationsModel::SuggestedRole).toBool()) {
        option.font.setItalic(true);
        option.palette.setColor(QPalette::Text, QColor(0x60, 0x60, 0x60));
    }
}

} // namespace vexel::DestinationsLook
