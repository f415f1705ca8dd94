#pragma once

#include "editor/Color.h"

#include <QComboBox>

// A drop-down list of named colours, each item a swatch with its name: the
// 16 standard colours, four extras, then the desktop's system colours.
// Colours are COLORREF values (0x00BBGGRR).
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

    vexel::Color selectedColor() const;
    // Selects the item of that colour. A colour that no item has is added
    // as an item of its own, named by its hexadecimal value, so it is kept.
    void setSelectedColor(vexel::Color color);

    // The name an added colour is shown with.
    static QString customName(vexel::Color color);

private:
    void addColor(vexel::Color color, const QString& name);
};
