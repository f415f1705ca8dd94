#include "transfer/SerialLink.h"

SerialLink::SerialLink(QObject* parent) : QObject(parent) {}
