#include "transfer/PortList.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

namespace vexel {

const QString PortList::Separator = QStringLiteral(" \u2013 ");

PortList PortList::systemPorts()
{
    QList<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.systemLocation(), info.description().trimmed()});
    return PortList(std::move(ports));
}

QString PortList::entryText(const PortInfo& port)
{
    return port.description.isEmpty() ? port.name : port.name + Separator + port.description;
}

QStringList PortList::entries() const
{
    QStringList texts;
    for (const PortInfo& port : ports_)
        texts << entryText(port);
    return texts;
}

QStringList PortList::choices() const
{
    QStringList texts;
    for (int i = 1; i <= 8; ++i) {
        const PortInfo* port = find(QStringLiteral("COM%1").arg(i));
        texts << (port ? entryText(*port) : QStringLiteral("COM%1").arg(i));
    }
    for (const QString& entry : entries())
        if (!texts.contains(entry))
            texts << entry;
    return texts;
}

const PortInfo* PortList::find(const QString& nameOrLocation) const
{
    for (const PortInfo& port : ports_)
        if (port.name == nameOrLocation || port.location == nameOrLocation)
            return &port;
    return nullptr;
}

QString PortList::portFor(const QString& text) const
{
    for (const PortInfo& port : ports_)
        if (text == entryText(port))
            return port.location;
    const int cut = text.indexOf(Separator);
    const PortInfo* port = find(cut < 0 ? text : text.left(cut));
    return port ? port->location : text;
}

QString PortList::entryFor(const QString& port) const
{
    const PortInfo* listed = find(port);
    return listed ? entryText(*listed) : port;
}

PortOpenFailure classifyOpenFailure(QSerialPort::SerialPortError error, bool accessDenied)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenFailure::NotFound;
    case QSerialPort::PermissionError:
        return accessDenied ? PortOpenFailure::PermissionDenied : PortOpenFailure::Busy;
    case QSerialPort::OpenError: // this port object had it open already
        return PortOpenFailure::Busy;
    default:
        return accessDenied ? PortOpenFailure::PermissionDenied : PortOpenFailure::Other;
    }
}

QString openFailureMessage(PortOpenFailure failure, const QString& device, const QString& detail)
{
    switch (failure) {
    case PortOpenFailure::PermissionDenied:
        return QCoreApplication::translate("PortList", "Permission denied on %1: add your user to the dialout group").arg(device);
    case PortOpenFailure::Busy:
        return QCoreApplication::translate("PortList", "%1 is in use by another program: close it there first").arg(device);
    case PortOpenFailure::NotFound:
        return QCoreApplication::translate("PortList", "No port at %1: check the cable and the port name").arg(device);
    case PortOpenFailure::Other:
        break;
    }
    return detail.isEmpty() ? QCoreApplication::translate("PortList", "Cannot open %1").arg(device)
                            : QCoreApplication::translate("PortList", "Cannot open %1: %2").arg(device, detail);
}

} // namespace vexel
