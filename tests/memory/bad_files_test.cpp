// Hand-made and damaged files: memory data files and TALVEX.INI with short and long lines,
// tabs, LF-only line ends, bytes above 127, 10 000 lines, no end line, or binary contents.
// Each is read to its end without a crash or a hang, and the line carries only frames the
// file asked for.
#include "memory_test_support.h"

#include "memory/data_line.h"
#include "startup/configuration.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

bool IsBcd(int byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

// A frame Update Rig may send: memory mode, a select, a clear, a read, or a whole memory write
// of a channel 1-99 with a BCD frequency and a printable label.
bool IsUpdateRigFrame(const QString& frame)
{
    const QByteArray b = QByteArray::fromHex(frame.toLatin1());
    const auto at = [&](int i) { return static_cast<unsigned char>(b[i]); };
    const auto channelOk = [&](int i) { return at(i) == 0 && IsBcd(at(i + 1)) && at(i + 1) != 0; };
    if (b == QByteArray(1, 0x08) || b == QByteArray(1, 0x0B))
        return true;
    if (b.size() == 3 && at(0) == 0x08)
        return channelOk(1);
    if (b.size() == 4 && at(0) == 0x1A && at(1) == 0x00)
        return channelOk(2);
    if (b.size() != 43 || at(0) != 0x1A || at(1) != 0x00 || !channelOk(2))
        return false;
    for (int i = 5; i < 10; ++i) {
        if (!IsBcd(at(i)))
            return false;
    }
    for (int i = 33; i < 43; ++i) {
        if (at(i) < 0x20 || at(i) > 0x7E)
            return false;
    }
    return b.mid(5, 14) == b.mid(19, 14);
}

QByteArray GoodFile(const char* lineEnd)
{
    QByteArray file;
    for (int channel = 1; channel <= 3; ++channel)
        file += FormatDataLine({channel, QStringLiteral("14.07%1.0").arg(channel), QStringLiteral("USB"),
                                QStringLiteral("Fil 2"), QStringLiteral("   "), QStringLiteral("FT8 %1").arg(channel)})
                    .toLatin1()
            + lineEnd;
    return file + " END" + lineEnd;
}

QByteArray Binary(int size)
{
    QRandomGenerator random(7300);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

struct BadFile {
    const char* name;
    QByteArray contents;
    qsizetype framesAtLeast = 0;  // what the readable lines in it must put on the line
};

void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }

constexpr char kWithNuls[] = " 3            07.100.0      LSB   \0\0\0   Fil 1\r\n END\r\n";

std::vector<BadFile> BadFiles()
{
    QByteArray manyLines;
    for (int i = 0; i < 10000; ++i)
        manyLines += FormatDataLine({i % 99 + 1, QStringLiteral("07.0%1.0").arg(i % 90 + 10), QStringLiteral("CW"),
                                     QStringLiteral("Fil 1"), QString(), QStringLiteral("LINE %1").arg(i)})
                         .toLatin1()
            + "\r\n";
    return {
        {"ShortLines", " 7\r\n 8 \r\n9\r\n 1            07.1\r\n 2            14.074.\r\n END\r\n"},
        {"LongLines", GoodFile("\r\n").replace("\r\n", QByteArray(5000, 'x') + "\r\n"), 3 * 5},
        {"Tabs", "\t7\t07.100.0\tLSB\tFil 1\t\tTAB\r\n 8\t\t\t\t\t\t\t14.074.0\r\n END\r\n"},
        {"LfOnly", GoodFile("\n"), 3 * 5},
        {"BytesAbove127", " 5            07.100.0      LSB           Fil 1                       Z\xFC" "rich\xE9\xFF\r\n"
                          " 6            14.\xB0" "74.0      USB           Fil 2                       OK\r\n END\r\n"},
        {"TenThousandLines", manyLines + " END\r\n", 10000 * 5},
        {"NoEndLine", GoodFile("\r\n").replace(" END\r\n", ""), 3 * 5},
        {"Binary", Binary(4096)},
        {"NulBytes", QByteArray(kWithNuls, sizeof kWithNuls - 1)},
    };
}

class BadDataFile : public ::testing::TestWithParam<BadFile> {
protected:
    void useFile(const QByteArray& contents)
    {
        QFile file(t.path(QStringLiteral("TALVEX.TXT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        QString name = QStringLiteral("TALVEX.TXT");
        t.program->dataFile.OpenDataFile(name, FileMode::Input);
    }
    // Ticks until the operation ends; fails (instead of hanging) past `limit`.
    QStringList runToEnd(int timer, int limit)
    {
        QStringList frames;
        for (int i = 0; i < limit && t.program->state.anyMemoryOperationRunning(); ++i)
            frames << t.tick(timer);
        EXPECT_FALSE(t.program->state.anyMemoryOperationRunning()) << "still running after " << limit << " ticks";
        return frames;
    }
    OpenProgram t;
};

TEST_P(BadDataFile, ViewFileReadsItToTheEndAndSendsNothing)
{
    useFile(GetParam().contents);
    t.program->memory.Command2_Click();
    EXPECT_TRUE(runToEnd(2, 20000).isEmpty());
}

TEST_P(BadDataFile, UpdateRigSendsOnlyWellFormedFramesOfTheLinesItCouldRead)
{
    useFile(GetParam().contents);
    t.dialogs.answerMessage(MessageAnswer::Yes);
    t.program->memory.Command3_Click();
    const QStringList frames = runToEnd(3, 20000);
    for (const QString& frame : frames)
        EXPECT_TRUE(IsUpdateRigFrame(frame)) << frame.toStdString();
    EXPECT_GE(frames.size(), GetParam().framesAtLeast);
    EXPECT_TRUE(t.port.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Files, BadDataFile, ::testing::ValuesIn(BadFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineEnds, AFileWithLfOnlyLineEndsWritesTheSameChannelsAsOneWithCrLf)
{
    QStringList sent[2];
    const char* ends[] = {"\r\n", "\n"};
    for (int i = 0; i < 2; ++i) {
        OpenProgram t;
        QFile file(t.path(QStringLiteral("TALVEX.TXT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GoodFile(ends[i]));
        file.close();
        QString name = QStringLiteral("TALVEX.TXT");
        t.program->dataFile.OpenDataFile(name, FileMode::Input);
        t.dialogs.answerMessage(MessageAnswer::Yes);
        t.program->memory.Command3_Click();
        for (int tick = 0; tick < 10; ++tick)
            sent[i] << t.tick(3);
    }
    EXPECT_EQ(sent[1], sent[0]);
    EXPECT_EQ(sent[0].count(u"08"), 3 * 2);  // three channels written, each followed by its read-back
}

class BadConfiguration : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadConfiguration, StartUpReadsItWithoutCrashingAndSendsOnlyTheFirstQuery)
{
    TestProgram t;
    QFile file(t.path(kConfigFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().contents);
    file.close();
    t.writeFile(QStringLiteral("TALVEX.TXT"), {});
    try {
        t.program->startup.RunStartup();
    } catch (const ProgramEnded&) {
        // A port number that names no port ends the program after its messages, as designed.
        ASSERT_FALSE(t.dialogs.messages.empty());
        EXPECT_EQ(t.dialogs.messages.back().title, u"UNEXPECTED COMM PORT CONDITION");
    }
    EXPECT_TRUE(t.port.takeWritten().isEmpty());  // the query chain starts only on its timer
}

std::vector<BadFile> BadConfigurations()
{
    QByteArray many;
    for (int i = 0; i < 10000; ++i)
        many += "[CallSign] K" + QByteArray::number(i) + "\r\n";
    const QByteArray good = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\n[CallSign] N0CALL\r\n"
                            "[CommPort] COM1\r\n[CommBaud] 19200,N,8,1\r\n \r\nEND\r\n";
    return {
        {"ShortLines", "[C\r\n[\r\nEN\r\n"},
        {"LongLines", QByteArray(good).replace("N0CALL", QByteArray(5000, 'K'))},
        {"Tabs", "[DeftFile]\tTALVEX.TXT\r\n[CommPort]\tCOM1\r\nEND\r\n"},
        {"LfOnly", QByteArray(good).replace("\r\n", "\n")},
        {"BytesAbove127", QByteArray(good).replace("N0CALL", "\xC4\xD6\xDC\xFF")},
        {"TenThousandLines", good + many + "END\r\n"},
        {"NoEndLine", QByteArray(good).replace("END\r\n", "")},
        {"Binary", Binary(4096)},
        {"BinaryPort", QByteArray(good).replace("COM1", "COM\x01\x02\xFE")},
    };
}

INSTANTIATE_TEST_SUITE_P(Files, BadConfiguration, ::testing::ValuesIn(BadConfigurations()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::testing
