#pragma once

#include <QObject>
#include <QString>

// The serial link to the board's controller.
class SerialLink : public QObject {
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);

    // Closes the open port, if any, and opens `name` at `baudText`;
    // false when the port could not be opened.
    bool reopen(const QString& name, const QString& baudText);
    bool isOpen() const { return open_; }
    // The most recent open failed (the port box shows red).
    bool openFailed() const { return failed_; }

private:
    bool open_ = false;
    bool failed_ = false;
};
