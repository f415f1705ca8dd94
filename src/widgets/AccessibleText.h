#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QString>

class QAbstractButton;
class QComboBox;

// Texts that change as the operator works (a readout, a result, a status)
// reach assistive tools too: the accessible name says what the control is,
// its description carries what it says now.
inline void setReadableText(QLabel* label, const QString& text)
{
    label->setText(text);
    if (label->accessibleDescription() != text)
        label->setAccessibleDescription(text);
}

// What a picture (an LED view) shows now; assistive tools hear of a change
// only when there is one.
inline void setReadableDescription(QWidget* widget, const QString& text)
{
    if (widget->accessibleDescription() != text)
        widget->setAccessibleDescription(text);
}

// The status bar, known as `name`, and its messages, as they come and go.
inline void makeReadable(QStatusBar* bar, const QString& name)
{
    bar->setAccessibleName(name);
    QObject::connect(bar, &QStatusBar::messageChanged, bar,
                     [bar](const QString& message) { bar->setAccessibleDescription(message); });
}

// A combo box that assistive tools know by `name`, its current value read
// out as its description. On Linux Qt names a combo box by its value and
// leaves its caption to a label relation that many tools do not follow, so
// a name set on the box alone is never heard. Call before the box is shown.
void nameComboBox(QComboBox* box, const QString& name);

// A button greyed out says why: `why` becomes its tooltip and its
// description; enabled again, it has its own tooltip back.
void enableWithReason(QAbstractButton* button, bool enabled, const QString& why);
