// The Memory window's operations against talvex-sim over a pseudo-terminal, at each baud rate:
// what Create File writes is what the radio holds, what Update Rig writes is what the radio
// then holds, and Blank Rig leaves every channel blank.
#include "memory/window/memory_main.h"

#include "tests/support/sim_program.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace talvex::testing {
namespace {

using Memory = std::map<int, QByteArray>;  // channel -> 41 bytes; empty for a blank channel

QString DemoMemoryPath() { return QStringLiteral(TALVEX_DEMO_DIR "/sim-memory.txt"); }

// The simulator's memory file: "ch N: 00 01 ..." or "ch N: blank".
Memory ReadMemory(const QString& path)
{
    Memory memory;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith("ch "))
            continue;
        const int colon = line.indexOf(':');
        const int channel = line.mid(3, colon - 3).toInt();
        const QByteArray rest = line.mid(colon + 1).trimmed();
        memory[channel] = rest == "blank" ? QByteArray() : QByteArray::fromHex(rest);
    }
    return memory;
}

QString Zone(const QString& field) { return field.leftJustified(14, u' '); }

// The data-file line a channel is written as, worked out from the radio's bytes alone.
QString ExpectedLine(int channel, const QByteArray& c)
{
    const QString number = QStringLiteral(" %1 ").arg(channel);
    if (c.isEmpty())
        return number.leftJustified(70, u' ');
    auto hex = [&](int i) { return QStringLiteral("%1").arg(static_cast<unsigned char>(c[i]), 2, 16, QChar(u'0')); };
    const QString b4 = hex(4);
    const QString frequency = hex(6) + u'.' + hex(5) + b4[0] + u'.' + b4[1];
    const std::map<int, QString> modes{{0, "LSB"}, {1, "USB"}, {2, "AM"}, {3, "CW"}, {4, "RTTY"}, {5, "FM"},
                                       {7, "CWr"}, {8, "RTTYr"}};
    const QString select = c[2] == 1 ? QStringLiteral("Yes") : QStringLiteral("   ");
    return Zone(number) + Zone(frequency) + Zone(modes.at(c[8])) + Zone(QStringLiteral("Fil %1").arg(int(c[9])))
        + Zone(select) + QString::fromLatin1(c.mid(31, 10));
}

QStringList ExpectedChannelLines(const Memory& memory)
{
    QStringList lines;
    for (int channel = 1; channel <= 99; ++channel)
        lines << ExpectedLine(channel, memory.count(channel) ? memory.at(channel) : QByteArray());
    return lines;
}

struct Rate {
    const char* name;
    QString settings;
};

void PrintTo(const Rate& c, std::ostream* os) { *os << c.name; }

class MemoryWindowAgainstSim : public ::testing::TestWithParam<Rate> {
protected:
    // A simulator whose memory starts as `memoryFile` (none: every channel blank).
    void start(const QString& memoryFile)
    {
        if (!memoryFile.isEmpty())
            QFile::copy(memoryFile, memoryPath);
        run = std::make_unique<SimProgram>(QStringList{QStringLiteral("--memory"), memoryPath}, GetParam().settings);
        ASSERT_TRUE(run->ready());
        ASSERT_TRUE(run->startUp());
        window = std::make_unique<MemoryMain>(*run->program);
        window->show();
    }
    void click(const char* name)
    {
        QTest::mouseClick(window->findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QStringList dataFileLines()
    {
        QFile file(run->path(QStringLiteral("TALVEX.TXT")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QTemporaryDir memoryDirectory;
    QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    std::unique_ptr<SimProgram> run;
    std::unique_ptr<MemoryMain> window;
};

TEST_P(MemoryWindowAgainstSim, CreateFileWritesWhatTheRadioHolds)
{
    start(DemoMemoryPath());
    run->dialogs.answerMessage(MessageAnswer::Yes);
    click("Command1");
    const int ticks = run->runMemoryOperation(1);
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(run->dialogs.messages.size(), 1u);  // the question, and no error after it

    const QStringList lines = dataFileLines();
    ASSERT_EQ(lines.size(), 3 + 99 + 4);
    EXPECT_EQ(lines.mid(3, 99), ExpectedChannelLines(ReadMemory(DemoMemoryPath())));
    EXPECT_EQ(lines.last(), QStringLiteral(" END").leftJustified(70, u' '));
    EXPECT_EQ(run->program->state.memory.Text1, u"END");
}

TEST_P(MemoryWindowAgainstSim, UpdateRigWritesEveryChannelOfTheFileIntoABlankRadio)
{
    const Memory source = ReadMemory(DemoMemoryPath());
    start(QString());
    QStringList file{QString(70, u' ') + QStringLiteral("TALVEX.TXT")};
    file << ExpectedChannelLines(source) << QStringLiteral(" END");
    QFile data(run->path(QStringLiteral("TALVEX.TXT")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(file.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    data.close();

    run->dialogs.answerMessage(MessageAnswer::Yes);
    click("Command3");
    run->runMemoryOperation(3);
    EXPECT_FALSE(run->program->state.UpdatingRig);
    EXPECT_EQ(run->dialogs.messages.size(), 1u);

    const Memory written = ReadMemory(memoryPath);
    for (int channel = 1; channel <= 99; ++channel) {
        SCOPED_TRACE(channel);
        QByteArray expected = source.count(channel) ? source.at(channel) : QByteArray();
        if (!expected.isEmpty())
            expected[2] = 0;  // the select mark is the radio's own: a write leaves it off
        ASSERT_TRUE(written.count(channel));
        EXPECT_EQ(written.at(channel).toHex(' '), expected.toHex(' '));
    }
}

TEST_P(MemoryWindowAgainstSim, BlankRigFromOneToNinetyNineLeavesEveryChannelBlank)
{
    start(DemoMemoryPath());
    run->dialogs.answerMessage(MessageAnswer::Yes);
    run->dialogs.answerInput(QStringLiteral("1"));
    run->dialogs.answerInput(QStringLiteral("99"));
    click("Command5");
    run->runMemoryOperation(5);
    EXPECT_FALSE(run->program->state.BlankingRig);

    const Memory blanked = ReadMemory(memoryPath);
    int blank = 0;
    for (int channel = 1; channel <= 99; ++channel)
        blank += blanked.count(channel) && blanked.at(channel).isEmpty();
    EXPECT_EQ(blank, 99);
}

INSTANTIATE_TEST_SUITE_P(Rates, MemoryWindowAgainstSim,
    ::testing::Values(Rate{"At19200", QStringLiteral("19200,N,8,1")}, Rate{"At9600", QStringLiteral("9600,N,8,1")},
                      Rate{"At4800", QStringLiteral("4800,N,8,1")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
