// The port box's entries and what they open; the lines for failed opens.
#include "transfer/PortList.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const PortList Ports({
    {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART"},
    {"ttyS0", "/dev/ttyS0", ""},
    {"ttyACM1", "/dev/ttyACM1", "USB Serial \u2013 CDC"},
});

TEST(PortList, EntriesShowTheNameAndTheDescriptionWhenThereIsOne)
{
    EXPECT_EQ(Ports.entries(), (QStringList{"ttyUSB0 \u2013 FT232R USB UART", "ttyS0", "ttyACM1 \u2013 USB Serial \u2013 CDC"}));
    EXPECT_TRUE(PortList().entries().isEmpty());
}

TEST(PortList, ChoicesAreTheEightComNamesThenThePortsThisPcHas)
{
    const QStringList com{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
    EXPECT_EQ(PortList().choices(), com) << "a PC without ports still offers the names";
    EXPECT_EQ(Ports.choices(), com + Ports.entries());
    // A Windows PC's own COM3 shows what it is in its place, once.
    const PortList windows({{"COM3", "COM3", "USB Serial Port"}, {"COM12", "COM12", ""}, {"COM3", "COM3", "USB Serial Port"}});
    EXPECT_EQ(windows.choices(), (QStringList{"COM1", "COM2", "COM3 \u2013 USB Serial Port", "COM4", "COM5", "COM6",
                                              "COM7", "COM8", "COM12"}));
    for (const QString& choice : windows.choices())
        EXPECT_EQ(windows.portFor(choice), choice.left(choice.indexOf(' ')));
}

TEST(PortList, EntriesNamesAndLocationsOpenTheListedPort)
{
    const struct {
        const char* text;
        const char* opened;
    } cases[] = {
        {"ttyUSB0 \u2013 FT232R USB UART", "/dev/ttyUSB0"},
        {"ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"ttyUSB0 \u2013 an adapter renamed since", "/dev/ttyUSB0"},
        {"ttyS0", "/dev/ttyS0"},
        {"ttyACM1 \u2013 USB Serial \u2013 CDC", "/dev/ttyACM1"},
        // Anything else goes to the link exactly as typed.
        {"COM1", "COM1"},
        {"/tmp/board-pty", "/tmp/board-pty"},
        {"ttyUSB9 \u2013 gone", "ttyUSB9 \u2013 gone"},
        {" ttyUSB0", " ttyUSB0"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ports.portFor(QString::fromUtf8(c.text)), QString::fromUtf8(c.opened)) << c.text;
}

TEST(PortList, AStoredPortIsShownAsItsEntry)
{
    EXPECT_EQ(Ports.entryFor("/dev/ttyUSB0"), "ttyUSB0 \u2013 FT232R USB UART");
    EXPECT_EQ(Ports.entryFor("ttyUSB0"), "ttyUSB0 \u2013 FT232R USB UART");
    EXPECT_EQ(Ports.entryFor("COM1"), "COM1");
    // Round trip: what an entry opens shows as that entry again.
    for (const QString& entry : Ports.entries())
        EXPECT_EQ(Ports.entryFor(Ports.portFor(entry)), entry);
}

TEST(PortOpenFailure, EachErrorGetsTheOperatorsReasonAndFix)
{
    const struct {
        QSerialPort::SerialPortError error;
        bool accessDenied;
        PortOpenFailure expected;
    } cases[] = {
        {QSerialPort::PermissionError, true, PortOpenFailure::PermissionDenied},
        // Locked or opened exclusively by another program: Qt says
        // "permission" although this user may open the device.
        {QSerialPort::PermissionError, false, PortOpenFailure::Busy},
        {QSerialPort::OpenError, false, PortOpenFailure::Busy},
        {QSerialPort::DeviceNotFoundError, false, PortOpenFailure::NotFound},
        {QSerialPort::DeviceNotFoundError, true, PortOpenFailure::NotFound},
        {QSerialPort::UnknownError, true, PortOpenFailure::PermissionDenied},
        {QSerialPort::UnsupportedOperationError, false, PortOpenFailure::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyOpenFailure(c.error, c.accessDenied), c.expected) << c.error << " " << c.accessDenied;

    EXPECT_EQ(openFailureMessage(PortOpenFailure::PermissionDenied, "/dev/ttyUSB0", "Permission denied"),
              "Permission denied on /dev/ttyUSB0: add your user to the dialout group");
    EXPECT_EQ(openFailureMessage(PortOpenFailure::Busy, "/dev/ttyUSB0", "Device or resource busy"),
              "/dev/ttyUSB0 is in use by another program: close it there first");
    EXPECT_EQ(openFailureMessage(PortOpenFailure::NotFound, "/dev/ttyUSB7", "No such file or directory"),
              "No port at /dev/ttyUSB7: check the cable and the port name");
    EXPECT_EQ(openFailureMessage(PortOpenFailure::Other, "/tmp/x", "Inappropriate ioctl for device"),
              "Cannot open /tmp/x: Inappropriate ioctl for device");
    EXPECT_EQ(openFailureMessage(PortOpenFailure::Other, "/tmp/x", ""), "Cannot open /tmp/x");
}

} // namespace
