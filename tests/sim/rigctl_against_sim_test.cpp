// Hamlib's rigctl, with its IC-7300 model, drives the simulator like a real radio: it reads
// back the frequency and mode it set, and selects a memory channel.
#include "tests/support/sim_process.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

TEST(RigctlAgainstSim, SetsAndReadsBackFrequencyAndModeAndSelectsMemoryFive)
{
    const QString rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
    if (rigctl.isEmpty())
        GTEST_SKIP() << "rigctl is not installed (Debian package libhamlib-utils)";
    QTemporaryDir directory;
    const QString log = directory.filePath(QStringLiteral("sim.log"));
    SimProcess sim(directory.path(), {"--log", log});
    ASSERT_TRUE(sim.ready());

    QProcess client;
    const QStringList commands{"-m", "3073", "-r", sim.linkPath(), "-s", "19200", "F", "7100000", "f", "M", "LSB", "2400",
                               "m", "V", "MEM", "E", "5"};
    client.start(rigctl, commands);
    ASSERT_TRUE(client.waitForFinished(20000));
    const QString out = QString::fromLatin1(client.readAllStandardOutput());
    const QString errors = QString::fromLatin1(client.readAllStandardError());
    EXPECT_EQ(client.exitCode(), 0);
    EXPECT_FALSE(errors.contains(u"rejected") || errors.contains(u"error", Qt::CaseInsensitive))
        << errors.toStdString();
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << out.toStdString();
    EXPECT_EQ(lines[0], u"7100000");
    EXPECT_EQ(lines[1], u"LSB");

    // Memory 5 was selected on the wire and the radio said OK.
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString traffic = QString::fromLatin1(file.readAll());
    const qsizetype select = traffic.indexOf(QStringLiteral(" in FE FE 94 E0 08 05 FD"));
    ASSERT_GE(select, 0) << traffic.toStdString();
    const qsizetype answer = traffic.indexOf(QStringLiteral(" out FE FE E0 94 "), select);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(traffic.mid(answer, 24), u" out FE FE E0 94 FB FD\n");
}

}  // namespace
}  // namespace talvex::testing
