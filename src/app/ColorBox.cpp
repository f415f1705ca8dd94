#include "app/ColorBox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {

struct NamedColor {
    vexel::Color color;
    const char* name;
};

constexpr NamedColor Standard[] = {
    {0x000000, "Black"},   {0x000080, "Maroon"}, {0x008000, "Green"},  {0x008080, "Olive"},
    {0x800000, "Navy"},    {0x800080, "Purple"}, {0x808000, "Teal"},   {0x808080, "Grey"},
    {0xC0C0C0, "Silver"},  {0x0000FF, "Red"},    {0x00FF00, "Lime"},   {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},    {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"},
    {0xC0DCC0, "Money Green"}, {0xF0CAA6, "Sky Blue"}, {0xF0FBFF, "Cream"}, {0xA4A0A0, "Medium Grey"},
};

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    const char* name;
    int windowsIndex; // the COLOR_* index a Windows system colour value carries
};

constexpr SystemColor System[] = {
    {QPalette::Active, QPalette::Window, "Button Face", 15},
    {QPalette::Active, QPalette::Light, "Button Highlight", 20},
    {QPalette::Active, QPalette::Mid, "Button Shadow", 16},
    {QPalette::Active, QPalette::ButtonText, "Button Text", 18},
    {QPalette::Active, QPalette::Base, "Window Background", 5},
    {QPalette::Active, QPalette::Text, "Window Text", 8},
    {QPalette::Active, QPalette::Highlight, "Highlight", 13},
    {QPalette::Active, QPalette::HighlightedText, "Highlight Text", 14},
    {QPalette::Disabled, QPalette::Text, "Grey Text", 17},
    {QPalette::Active, QPalette::ToolTipBase, "Info Background", 24},
    {QPalette::Active, QPalette::ToolTipText, "Info Text", 23},
    {QPalette::Active, QPalette::Dark, "3D Dark Shadow", 21},
};

constexpr int ColorRole = Qt::UserRole;

QIcon swatch(vexel::Color color, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor::fromRgb(vexel::toQRgb(color)));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

vexel::Color paletteColor(const SystemColor& entry)
{
    const QPalette palette = QGuiApplication::palette();
    return vexel::fromQRgb(palette.color(entry.group, entry.role).rgb());
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setIconSize(QSize(24, 12));
    for (const NamedColor& entry : Standard)
        addColor(entry.color, QString::fromLatin1(entry.name));
    for (const SystemColor& entry : System)
        addColor(paletteColor(entry), QString::fromLatin1(entry.name));
}

void ColorBox::addColor(vexel::Color color, const QString& name)
{
    addItem(swatch(color, iconSize()), name, QVariant::fromValue<uint>(color));
}

vexel::Color ColorBox::selectedColor() const
{
    const QVariant value = currentData(ColorRole);
    return value.isValid() ? value.toUInt() : 0;
}

void ColorBox::setSelectedColor(vexel::Color color)
{
    // A file written on Windows may hold a system colour (0xFF0000nn, nn its
    // index): show it as the matching system colour of this desktop.
    if ((color & 0xFF000000u) == 0xFF000000u) {
        for (const SystemColor& entry : System) {
            if (static_cast<vexel::Color>(entry.windowsIndex) == (color & 0xFFu)) {
                const int index = findText(QString::fromLatin1(entry.name));
                if (index >= 0) {
                    setCurrentIndex(index);
                    return;
                }
            }
        }
    }
    color &= 0x00FFFFFFu;
    int index = findData(QVariant::fromValue<uint>(color), ColorRole);
    if (index < 0) {
        addColor(color, customName(color));
        index = count() - 1;
    }
    setCurrentIndex(index);
}

QString ColorBox::customName(vexel::Color color)
{
    return QStringLiteral("0x") + QString::number(color & 0x00FFFFFFu, 16).rightJustified(6, QLatin1Char('0')).toUpper();
}
