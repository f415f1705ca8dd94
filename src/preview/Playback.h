#pragma once

#include <QObject>

class Playback : public QObject {
    Q_OBJECT
public:
    explicit Playback(QObject* parent = nullptr);
};
