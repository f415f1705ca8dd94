#pragma once

#include <QObject>

class QTimer;

// The preview's state and pace. It owns the preview timer (Timer3), whose
// interval is taken once when playing starts and kept for the whole run; an
// interval of 0 never ticks. The Run button's caption follows `running`.
class Playback : public QObject {
    Q_OBJECT
public:
    explicit Playback(QObject* parent = nullptr);

    QTimer* timer() const { return timer_; }

    void play(int interval);
    void stop();
    bool running() const { return running_; }
    // The timer stops while the preview stays on (another file was opened
    // under it): the image shown stays until Stop.
    void pause();
    bool ticking() const;
    int interval() const;

    // One step by hand, as a timer tick would make it; nothing while idle.
    void tick();

    // The frame after `current` in an image of `count` frames, wrapping to 0.
    static int nextFrame(int current, int count);

signals:
    void stepped();
    void runningChanged(bool running);

private:
    QTimer* timer_;
    bool running_ = false;
};
