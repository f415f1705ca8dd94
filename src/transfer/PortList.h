#pragma once

#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace vexel {

// One serial port as the system reports it.
struct PortInfo {
    QString name;        // "ttyUSB0"
    QString location;    // "/dev/ttyUSB0": what is opened
    QString description; // "FT232R USB UART", or empty
};

// The ports for the port box: each shown as its name and description
// ("ttyUSB0 – FT232R USB UART"), and an entry's text mapped back to what
// the serial link opens.
class PortList {
public:
    static const QString Separator; // " – " (spaces around an en dash)

    PortList() = default;
    explicit PortList(QList<PortInfo> ports) : ports_(std::move(ports)) {}
    // The ports QSerialPortInfo reports now.
    static PortList systemPorts();

    const QList<PortInfo>& ports() const { return ports_; }
    // The ports' entries, in the order the ports were reported.
    QStringList entries() const;
    // What a port box offers: "COM1" to "COM8", each as its port's entry
    // when the system reports one of that name, then the other ports as
    // reported (on Linux /dev/ttyUSB0, /dev/ttyACM0 ...).
    QStringList choices() const;
    static QString entryText(const PortInfo& port);

    // What to open for the text in the box: the location of a listed port
    // when the text is its entry, its name, or its name with any
    // description (one that changed since the list was made); any other
    // text exactly as typed.
    QString portFor(const QString& text) const;
    // The entry that shows a stored port (a location or a name); the text
    // itself when no listed port matches.
    QString entryFor(const QString& port) const;

private:
    const PortInfo* find(const QString& nameOrLocation) const;

    QList<PortInfo> ports_;
};

// Why an open failed, in the operator's terms.
enum class PortOpenFailure { PermissionDenied, Busy, NotFound, Other };

// Qt reports a port locked by another program, or opened exclusively by
// one, as a permission error too; `accessDenied` (the device refuses this
// user read and write access) tells the two apart.
PortOpenFailure classifyOpenFailure(QSerialPort::SerialPortError error, bool accessDenied);

// The status-bar line for a failed open of `device`, e.g. "Permission
// denied on /dev/ttyUSB0: add your user to the dialout group". `detail` is
// the system's own text, used where nothing better can be said.
QString openFailureMessage(PortOpenFailure failure, const QString& device, const QString& detail);

} // namespace vexel
