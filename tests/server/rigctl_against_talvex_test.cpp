// Hamlib's own client against TALVEX itself (the program as installed, without a screen) and
// talvex-sim: what it sets is what it reads back, and neither a client killed while
// transmitting nor TALVEX ended by a signal leaves the radio keyed.
#include "tests/support/sim_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace talvex::testing {
namespace {

bool RigctlInstalled() { return std::system("command -v rigctl >/dev/null 2>&1") == 0; }

// Until `done` or `limitMs`; false on the time limit.
bool WaitFor(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

class RigctlAgainstTalvex : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!RigctlInstalled())
            GTEST_SKIP() << "rigctl is not installed (Debian package libhamlib-utils)";
        QFile ini(directory.filePath(QStringLiteral("TALVEX.INI")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\n[CallSign] N0CALL\r\n"
                  "[CommPort] COM1\r\n[CommBaud] 19200,N,8,1\r\n \r\nEND\r\n");
        ini.close();
        QFile data(directory.filePath(QStringLiteral("TALVEX.TXT")));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.close();
        sim = std::make_unique<SimProcess>(directory.path(), QStringList{"--log", logPath()});
        ASSERT_TRUE(sim->ready());
        QTcpServer probe;  // a port nobody uses
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        address = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
        talvex.setWorkingDirectory(directory.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        talvex.setProcessEnvironment(environment);
        talvex.start(QStringLiteral(TALVEX_PATH), {QStringLiteral("--rig-server"), address});
        // Served once start-up has asked the radio its questions: the call-sign read is the last.
        ASSERT_TRUE(WaitFor([this] { return log().contains("1A 05 00 91"); }, 20000)) << log().toStdString();
    }
    void TearDown() override
    {
        talvex.kill();
        talvex.waitForFinished(3000);
    }

    QString logPath() const { return directory.filePath(QStringLiteral("sim.log")); }
    QByteArray log() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList rigctl(const QStringList& commands)
    {
        QProcess client;
        client.start(QStringLiteral("rigctl"), QStringList{"-m", "2", "-r", address} + commands);
        client.waitForFinished(30000);
        return QString::fromLatin1(client.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
    // An interactive rigctl session that keys the transmitter and stays connected, until the
    // radio has the key-down.
    void keyFrom(QProcess& client)
    {
        client.start(QStringLiteral("rigctl"), {"-m", "2", "-r", address, "-"});
        ASSERT_TRUE(client.waitForStarted(5000));
        client.write("T 1\n");
        client.waitForBytesWritten(5000);
        ASSERT_TRUE(WaitFor([this] { return log().contains("in FE FE 94 E0 1C 00 01 FD"); }, 10000));
    }

    QTemporaryDir directory;
    std::unique_ptr<SimProcess> sim;
    QProcess talvex;
    QString address;
};

struct Roundtrip {
    QStringList commands;
    QStringList printed;
};

TEST_F(RigctlAgainstTalvex, WhatItSetsItReadsBack)
{
    const Roundtrip rows[] = {
        {{"F", "7100000", "f"}, {"7100000"}},
        {{"F", "14074000", "f"}, {"14074000"}},
        {{"M", "LSB", "2400", "m"}, {"LSB", "2400"}},
        {{"M", "CW", "500", "m"}, {"CW", "500"}},
        {{"M", "USB", "2400", "m"}, {"USB", "2400"}},
        {{"V", "VFOB", "v", "V", "VFOA", "v"}, {"VFOB", "VFOA"}},
        {{"T", "1", "t", "T", "0", "t"}, {"1", "0"}},
        {{"S", "1", "VFOB", "s", "S", "0", "VFOA", "s"}, {"1", "VFOB", "0", "VFOA"}},
    };
    for (const Roundtrip& row : rows)
        EXPECT_EQ(rigctl(row.commands), row.printed) << row.commands.join(u' ').toStdString();
    EXPECT_TRUE(log().contains("in FE FE 94 E0 05 00 40 07 14 00 FD"));
}

TEST_F(RigctlAgainstTalvex, AClientKilledWhileTransmittingLeavesTheRadioReceiving)
{
    QProcess client;
    ASSERT_NO_FATAL_FAILURE(keyFrom(client));
    client.kill();
    client.waitForFinished(3000);
    EXPECT_TRUE(WaitFor([this] { return log().contains("in FE FE 94 E0 1C 00 00 FD"); }, 3000)) << log().toStdString();
}

// SIGTERM (a logout, a service manager) ends TALVEX as its Exit button does: the transmitter
// a client keyed is released before the port closes, with the client still connected.
TEST_F(RigctlAgainstTalvex, TalvexEndedBySigtermLeavesTheRadioReceiving)
{
    QProcess client;
    ASSERT_NO_FATAL_FAILURE(keyFrom(client));
    ::kill(static_cast<pid_t>(talvex.processId()), SIGTERM);
    ASSERT_TRUE(talvex.waitForFinished(5000));
    EXPECT_EQ(talvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(talvex.exitCode(), 0);
    EXPECT_TRUE(WaitFor([this] { return log().contains("in FE FE 94 E0 1C 00 00 FD"); }, 2000)) << log().toStdString();
    client.kill();
    client.waitForFinished(3000);
}

}  // namespace
}  // namespace talvex::testing
