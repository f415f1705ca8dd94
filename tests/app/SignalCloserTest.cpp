// SIGTERM and SIGINT close the window through its own close handler, after
// any open dialog.
#include "app/SignalCloser.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

class Window : public QWidget {
public:
    int closeRequests = 0;
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeRequests;
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};

bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QTest::qWait(5);
    return done();
}

TEST(SignalCloser, EachSignalClosesTheWindowThroughItsCloseHandler)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        Window window;
        window.show();
        const SignalCloser closer(&window);
        ASSERT_TRUE(closer.installed());
        ::raise(signal);
        EXPECT_TRUE(waitFor([&] { return window.isHidden(); })) << signal;
        EXPECT_EQ(window.closeRequests, 1);
    }
}

TEST(SignalCloser, AWindowThatRefusesStaysOpenAndTheProgramRuns)
{
    Window window;
    window.refuse = true;
    window.show();
    const SignalCloser closer(&window);
    ::raise(SIGTERM);
    ASSERT_TRUE(waitFor([&] { return window.closeRequests == 1; }));
    EXPECT_TRUE(window.isVisible());
}

TEST(SignalCloser, AnOpenDialogIsClosedFirstThenTheWindow)
{
    Window window;
    window.show();
    const SignalCloser closer(&window);
    QDialog dialog(&window);
    int result = -1;
    bool windowOpenAfterDialog = false;
    QTimer::singleShot(20, [] { ::raise(SIGTERM); });
    // The window's close must wait until the code that ran the dialog has
    // finished with it.
    QTimer::singleShot(0, [&] {
        result = dialog.exec();
        windowOpenAfterDialog = window.isVisible();
    });
    ASSERT_TRUE(waitFor([&] { return window.isHidden(); }));
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(windowOpenAfterDialog);
    EXPECT_EQ(window.closeRequests, 1);
}

} // namespace
