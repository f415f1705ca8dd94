#pragma once

#include <QObject>

class QTimer;

// Paces the preview. The interval is taken once when playing starts and
// kept for the whole run; an interval of 0 never ticks. The timer is the
// main window's, so the file commands can still stop it directly.
class Playback : public QObject {
    Q_OBJECT
public:
    explicit Playback(QObject* parent = nullptr);

    void setTimer(QTimer* timer);

    void play(int interval);
    void stop();
    bool ticking() const;
    int interval() const;

    // One step by hand, as a timer tick would make it.
    void tick();

    // The frame after `current` in an image of `count` frames, wrapping to 0.
    static int nextFrame(int current, int count);

signals:
    void stepped();

private:
    QTimer* timer_ = nullptr;
};
