#pragma once

#include <QPushButton>

// A panel's push button: a click on it never becomes the window's default
// button, and tests and assistive tools find it by `name`.
inline QPushButton* panelButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setObjectName(QLatin1String(name));
    return b;
}
