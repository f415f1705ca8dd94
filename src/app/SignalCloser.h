#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// Ends the program on SIGTERM and SIGINT the way the close button does, so
// a desktop session that ends the editor still gets the settings saved.
// The signal handler only writes a byte to a socket pair; the rest runs in
// the event loop. An open dialog is closed first, as Escape would close it;
// then the window is closed once no dialog's own loop is running, so the
// window's close handler runs where a click on its close button would run
// it. Unsaved edits ask as they do then.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QWidget* window, QObject* parent = nullptr);
    // Puts the previous handlers back.
    ~SignalCloser() override;

    // False when the handlers could not be installed; only one closer can
    // hold them at a time.
    bool installed() const { return notifier_ != nullptr; }

    // What a signal sets off, for callers and tests that have no signal.
    void requestClose();

private:
    void onSignal();
    void closeWhenFree();

    QPointer<QWidget> window_;
    QSocketNotifier* notifier_ = nullptr;
    int attempts_ = 0;
};
