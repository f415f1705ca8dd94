#include "app/SignalCloser.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
struct sigaction previousTerm {};
struct sigaction previousInt {};

void handleSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a wake-up; losing this byte is fine.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = saved;
}

// How long an open dialog may take to go away before the window is closed
// regardless: 10 ms steps.
constexpr int MaxAttempts = 500;

} // namespace

SignalCloser::SignalCloser(QWidget* window, QObject* parent) : QObject(parent), window_(window)
{
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGTERM, &action, &previousTerm) != 0 || ::sigaction(SIGINT, &action, &previousInt) != 0) {
        ::sigaction(SIGTERM, &previousTerm, nullptr);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::onSignal);
}

SignalCloser::~SignalCloser()
{
    if (!notifier_)
        return;
    ::sigaction(SIGTERM, &previousTerm, nullptr);
    ::sigaction(SIGINT, &previousInt, nullptr);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void SignalCloser::onSignal()
{
    char bytes[16];
    while (::read(pipeEnds[1], bytes, sizeof bytes) > 0) {
    }
    requestClose();
}

void SignalCloser::requestClose()
{
    attempts_ = 0;
    closeWhenFree();
}

void SignalCloser::closeWhenFree()
{
    if (!window_)
        return;
    // A dialog's exec() runs a loop of its own inside the handler that
    // opened it; the window is closed once that handler has returned.
    QWidget* modal = QApplication::activeModalWidget();
    const bool nested = QThread::currentThread()->loopLevel() > 1;
    if ((modal || nested) && attempts_ < MaxAttempts) {
        if (modal)
            modal->close();
        ++attempts_;
        QTimer::singleShot(10, this, &SignalCloser::closeWhenFree);
        return;
    }
    window_->close();
}
