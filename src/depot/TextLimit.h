#pragma once

#include <QCoreApplication>
#include <QString>

namespace vexel {

// The longest destination, via or route text any reader takes. The largest
// board shows a few dozen letters a line; a text past this could never be
// shown, and fitting it would only cost time and memory, so readers refuse it
// before any fitting.
constexpr int MaxSignTextLength = 1000;

// Empty when `text` is within the limit, else the reason, naming `field`:
// "destination_en is 10485760 characters long, at most 1000".
inline QString signTextLengthError(const QString& text, const QString& field)
{
    if (text.size() <= MaxSignTextLength)
        return {};
    return QCoreApplication::translate("TextLimit", "%1 is %2 characters long, at most %3")
        .arg(field)
        .arg(text.size())
        .arg(MaxSignTextLength);
}

} // namespace vexel
