#include "transfer/SerialLink.h"

SerialLink::SerialLink(QObject* parent) : QObject(parent) {}

bool SerialLink::reopen(const QString&, const QString&)
{
    failed_ = true;
    return false;
}
