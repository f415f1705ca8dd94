#include "preview/Playback.h"

#include <QTimer>

Playback::Playback(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("Timer3"));
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &Playback::tick);
}

void Playback::play(int interval)
{
    timer_->setInterval(interval);
    // A zero-interval QTimer fires on every pass of the event loop; here 0
    // means the first frame simply stays until Stop.
    if (interval > 0)
        timer_->start();
    else
        timer_->stop();
    running_ = true;
    emit runningChanged(true);
}

void Playback::stop()
{
    timer_->stop();
    running_ = false;
    emit runningChanged(false);
}

void Playback::pause() { timer_->stop(); }

bool Playback::ticking() const { return timer_->isActive(); }

int Playback::interval() const { return timer_->interval(); }

void Playback::tick()
{
    if (running_)
        emit stepped();
}

int Playback::nextFrame(int current, int count)
{
    const int next = current + 1;
    return next >= count || next < 0 ? 0 : next;
}
