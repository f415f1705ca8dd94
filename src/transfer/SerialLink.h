#pragma once

#include <QObject>

class SerialLink : public QObject {
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);
};
