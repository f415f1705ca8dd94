#include "preview/Playback.h"

#include <QTimer>

Playback::Playback(QObject* parent) : QObject(parent) {}

void Playback::setTimer(QTimer* timer)
{
    if (timer_)
        disconnect(timer_, nullptr, this, nullptr);
    timer_ = timer;
    if (timer_)
        connect(timer_, &QTimer::timeout, this, &Playback::tick);
}

void Playback::play(int interval)
{
    if (!timer_)
        return;
    timer_->setInterval(interval);
    // A zero-interval QTimer fires on every pass of the event loop; here 0
    // means the first frame simply stays until Stop.
    if (interval > 0)
        timer_->start();
    else
        timer_->stop();
}

void Playback::stop()
{
    if (timer_)
        timer_->stop();
}

bool Playback::ticking() const { return timer_ && timer_->isActive(); }

int Playback::interval() const { return timer_ ? timer_->interval() : 0; }

void Playback::tick() { emit stepped(); }

int Playback::nextFrame(int current, int count)
{
    const int next = current + 1;
    return next >= count || next < 0 ? 0 : next;
}
