#include "app/ColorBox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <iterator>

namespace {

struct NamedColor {
    vexel::Color color;
    const char* name;
};

constexpr NamedColor Standard[] = {
    {0x000000, QT_TRANSLATE_NOOP("ColorBox", "Black")},
    {0x000080, QT_TRANSLATE_NOOP("ColorBox", "Maroon")},
    {0x008000, QT_TRANSLATE_NOOP("ColorBox", "Green")},
    {0x008080, QT_TRANSLATE_NOOP("ColorBox", "Olive")},
    {0x800000, QT_TRANSLATE_NOOP("ColorBox", "Navy")},
    {0x800080, QT_TRANSLATE_NOOP("ColorBox", "Purple")},
    {0x808000, QT_TRANSLATE_NOOP("ColorBox", "Teal")},
    {0x808080, QT_TRANSLATE_NOOP("ColorBox", "Grey")},
    {0xC0C0C0, QT_TRANSLATE_NOOP("ColorBox", "Silver")},
    {0x0000FF, QT_TRANSLATE_NOOP("ColorBox", "Red")},
    {0x00FF00, QT_TRANSLATE_NOOP("ColorBox", "Lime")},
    {0x00FFFF, QT_TRANSLATE_NOOP("ColorBox", "Yellow")},
    {0xFF0000, QT_TRANSLATE_NOOP("ColorBox", "Blue")},
    {0xFF00FF, QT_TRANSLATE_NOOP("ColorBox", "Fuchsia")},
    {0xFFFF00, QT_TRANSLATE_NOOP("ColorBox", "Aqua")},
    {0xFFFFFF, QT_TRANSLATE_NOOP("ColorBox", "White")},
    {0xC0DCC0, QT_TRANSLATE_NOOP("ColorBox", "Money Green")},
    {0xF0CAA6, QT_TRANSLATE_NOOP("ColorBox", "Sky Blue")},
    {0xF0FBFF, QT_TRANSLATE_NOOP("ColorBox", "Cream")},
    {0xA4A0A0, QT_TRANSLATE_NOOP("ColorBox", "Medium Grey")},
};

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    const char* name;
    int windowsIndex; // the COLOR_* index a Windows system colour value carries
};

constexpr SystemColor System[] = {
    {QPalette::Active, QPalette::Window, QT_TRANSLATE_NOOP("ColorBox", "Button Face"), 15},
    {QPalette::Active, QPalette::Light, QT_TRANSLATE_NOOP("ColorBox", "Button Highlight"), 20},
    {QPalette::Active, QPalette::Mid, QT_TRANSLATE_NOOP("ColorBox", "Button Shadow"), 16},
    {QPalette::Active, QPalette::ButtonText, QT_TRANSLATE_NOOP("ColorBox", "Button Text"), 18},
    {QPalette::Active, QPalette::Base, QT_TRANSLATE_NOOP("ColorBox", "Window Background"), 5},
    {QPalette::Active, QPalette::Text, QT_TRANSLATE_NOOP("ColorBox", "Window Text"), 8},
    {QPalette::Active, QPalette::Highlight, QT_TRANSLATE_NOOP("ColorBox", "Highlight"), 13},
    {QPalette::Active, QPalette::HighlightedText, QT_TRANSLATE_NOOP("ColorBox", "Highlight Text"), 14},
    {QPalette::Disabled, QPalette::Text, QT_TRANSLATE_NOOP("ColorBox", "Grey Text"), 17},
    {QPalette::Active, QPalette::ToolTipBase, QT_TRANSLATE_NOOP("ColorBox", "Info Background"), 24},
    {QPalette::Active, QPalette::ToolTipText, QT_TRANSLATE_NOOP("ColorBox", "Info Text"), 23},
    {QPalette::Active, QPalette::Dark, QT_TRANSLATE_NOOP("ColorBox", "3D Dark Shadow"), 21},
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
        addColor(entry.color, tr(entry.name));
    for (const SystemColor& entry : System)
        addColor(paletteColor(entry), tr(entry.name));
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
        // The system colours follow the standard ones in the list, in order;
        // found by place, as their shown names are translated.
        const int first = static_cast<int>(std::size(Standard));
        for (std::size_t i = 0; i < std::size(System); ++i) {
            if (static_cast<vexel::Color>(System[i].windowsIndex) == (color & 0xFFu) &&
                first + static_cast<int>(i) < count()) {
                setCurrentIndex(first + static_cast<int>(i));
                return;
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
