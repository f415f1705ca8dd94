#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

namespace testing_support {

// What the accessibility interface tells assistive tools of an object.
inline QString spoken(QObject* object, QAccessible::Text what)
{
    QAccessibleInterface* face = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    return face ? face->text(what) : QStringLiteral("<no interface>");
}

} // namespace testing_support
