#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QString>

// Texts that change as the operator works (a readout, a result, a status)
// reach assistive tools too: the accessible name says what the control is,
// its description carries what it says now.
inline void setReadableText(QLabel* label, const QString& text)
{
    label->setText(text);
    if (label->accessibleDescription() != text)
        label->setAccessibleDescription(text);
}

// The status bar's messages, as they come and go.
inline void makeReadable(QStatusBar* bar)
{
    bar->setAccessibleName(QStringLiteral("Status"));
    QObject::connect(bar, &QStatusBar::messageChanged, bar,
                     [bar](const QString& message) { bar->setAccessibleDescription(message); });
}
