// How talvex-mem names a port that did not open: as the operator gave it, with the reason.
#include "cli/port_names.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex::cli {
namespace {

TEST(PortNames, APortThatDidNotOpenIsToldWithItsReason)
{
    const QString here = QStringLiteral("/home/op/talvex");
    const struct {
        const char* port;
        PortFault fault;
        const char* told;
    } rows[] = {
        {"COM2", PortFault::Missing, "no such device (no COM2 in /home/op/talvex, no /dev/ttyUSB1)"},
        {"com12", PortFault::Missing, "no such device (no COM12 in /home/op/talvex, no /dev/ttyUSB11)"},
        {"/dev/ttyUSB7", PortFault::Missing, "no such device"},
        {"COM1", PortFault::Busy, "busy: another program has it open"},
        {"/dev/ttyUSB0", PortFault::NoPermission,
         "no permission: the user needs read and write access to the device (usually membership of the dialout group)"},
        {"/dev/ttyS0", PortFault::Other, "Inappropriate ioctl for device"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.port);
        const PortError error{8002, QStringLiteral("Inappropriate ioctl for device"), row.fault};
        EXPECT_EQ(PortProblem(error, QString::fromLatin1(row.port), here), QString::fromLatin1(row.told));
    }
}

TEST(PortNames, COMnIsANumberAndARelativeDeviceIsInTheWorkingDirectory)
{
    EXPECT_TRUE(ByNumber(QStringLiteral("COM2")));
    EXPECT_TRUE(ByNumber(QStringLiteral("com10")));
    EXPECT_FALSE(ByNumber(QStringLiteral("COM")));
    EXPECT_FALSE(ByNumber(QStringLiteral("COMX")));
    EXPECT_FALSE(ByNumber(QStringLiteral("/dev/ttyUSB0")));
    QTemporaryDir here;
    QFile link(QDir(here.path()).filePath(QStringLiteral("radio")));
    ASSERT_TRUE(link.open(QIODevice::WriteOnly));
    EXPECT_EQ(DevicePath(QStringLiteral("radio"), here.path()), QDir(here.path()).filePath(QStringLiteral("radio")));
    EXPECT_EQ(DevicePath(QStringLiteral("ttyUSB0"), here.path()), QStringLiteral("ttyUSB0"));  // Qt's /dev/ttyUSB0
    EXPECT_EQ(DevicePath(QStringLiteral("/dev/ttyUSB0"), here.path()), QStringLiteral("/dev/ttyUSB0"));
}

}  // namespace
}  // namespace talvex::cli
