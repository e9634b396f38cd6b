// Hand-made and damaged data files and TALVEX.INI: short and long lines, tabs, LF-only line ends,
// bytes above 127, NULs, 10 000 lines, no end line, binary contents. Each is read to its end
// without a crash or a hang, and the line carries only well-formed frames the file asked for.
#include "memory_test_support.h"

#include "startup/configuration.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace talvex::testing {
namespace {

// Memory mode, a clear, a select or read of a channel 1-99, or a whole write of one: a BCD
// frequency, both settings alike, a printable label.
const QRegularExpression kUpdateRigFrame(
    "^(08|0B|(08|1A 00) 00 (0[1-9]|[1-9]\\d)|1A 00 00 (0[1-9]|[1-9]\\d) ..((?: \\d\\d){5}(?: ..){9})\\5"
    "(?: ([2-6].|7[0-9A-E])){10})$");

QByteArray GoodFile(const char* lineEnd)
{
    QByteArray file;
    for (int n = 1; n <= 3; ++n)
        file += FormatDataLine({n, QStringLiteral("14.07%1.0").arg(n), "USB", "Fil 2", "   ", QStringLiteral("FT8 %1").arg(n)})
                    .toLatin1() + lineEnd;
    return file + " END" + lineEnd;
}

QByteArray Binary()
{
    QRandomGenerator random(7300);
    QByteArray bytes(4096, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

using BadFile = std::tuple<const char*, QByteArray, QByteArray>;  // name, data file, TALVEX.INI

std::vector<BadFile> Files()
{
    QByteArray manyLines, manyCalls;
    for (int i = 0; i < 10000; ++i) {
        manyLines += FormatDataLine({i % 99 + 1, QStringLiteral("07.0%1.0").arg(i % 90 + 10), "CW", "Fil 1", "", QStringLiteral("LINE %1").arg(i)}).toLatin1() + "\r\n";
        manyCalls += "[CallSign] K" + QByteArray::number(i) + "\r\n";
    }
    const QByteArray ini = "TALVEX CONFIGURATION FILE (TALVEX.INI)\r\n \r\n[DeftFile] TALVEX.TXT\r\n[CallSign] N0CALL\r\n"
                           "[CommPort] COM1\r\n[CommBaud] 19200,N,8,1\r\n \r\nEND\r\n";
    const char nuls[] = " 3            07.100.0      LSB   \0\0\0   Fil 1\r\n END\r\n";
    return {
        {"ShortLines", " 7\r\n 8 \r\n9\r\n 1            07.1\r\n 2            14.074.\r\n END\r\n", "[C\r\n[\r\nEN\r\n"},
        {"LongLines", GoodFile("\r\n").replace("\r\n", QByteArray(5000, 'x') + "\r\n"), QByteArray(ini).replace("N0CALL", QByteArray(5000, 'K'))},
        {"Tabs", "\t7\t07.100.0\tLSB\tFil 1\t\tTAB\r\n 8\t\t\t\t\t\t\t14.074.0\r\n END\r\n", "[DeftFile]\tTALVEX.TXT\r\n[CommPort]\tCOM1\r\nEND\r\n"},
        {"LfOnly", GoodFile("\n"), QByteArray(ini).replace("\r\n", "\n")},
        {"BytesAbove127", " 5            07.100.0      LSB           Fil 1                       Z\xFCrich\xE9\xFF\r\n"
                          " 6            14.\xB0" "74.0      USB           Fil 2                       OK\r\n END\r\n", QByteArray(ini).replace("N0CALL", "\xC4\xD6\xDC\xFF")},
        {"TenThousandLines", manyLines + " END\r\n", ini + manyCalls + "END\r\n"},
        {"NoEndLine", GoodFile("\r\n").replace(" END\r\n", ""), QByteArray(ini).replace("END\r\n", "")},
        {"Binary", Binary(), Binary()},
        {"NulBytes", QByteArray(nuls, sizeof nuls - 1), QByteArray(ini).replace("COM1", "COM\x01\x02\xFE")},
    };
}

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, ViewFileAndUpdateRigReadTheDataFileToItsEndSendingOnlyWellFormedFrames)
{
    MemoryRig t;
    t.useFile(std::get<1>(GetParam()));
    t.memory().Command2_Click();
    EXPECT_EQ(t.run(2), Frames{});
    t.answer();
    t.memory().Command3_Click();
    const Frames frames = t.run(3);
    for (const QString& frame : frames)
        EXPECT_TRUE(kUpdateRigFrame.match(frame).hasMatch()) << frame.toStdString();
    const QString name = std::get<0>(GetParam());
    EXPECT_GE(frames.size(), name == "TenThousandLines" ? 50000 : name.contains(QRegularExpression("Long|Lf|NoEnd")) ? 15 : 0);
    EXPECT_TRUE(t.port.isOpen());
}

TEST_P(BadFiles, StartUpReadsTheConfigurationWithoutCrashingAndSendsNothingYet)
{
    TestProgram t;
    QFile file(t.path(kConfigFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(std::get<2>(GetParam())) >= 0);
    file.close();
    t.writeFile("TALVEX.TXT", {});
    try {
        t.program->startup.RunStartup();
    } catch (const ProgramEnded&) {  // a port number that names no port ends the program after its messages
        EXPECT_EQ(Shown(t).last().section(u'|', 0, 0), u"UNEXPECTED COMM PORT CONDITION");
    }
    EXPECT_TRUE(t.port.takeWritten().isEmpty());  // the query chain starts only on its timer
}

INSTANTIATE_TEST_SUITE_P(Files, BadFiles, ::testing::ValuesIn(Files()),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST(LineEnds, LfOnlyOrCrLfTheSameChannelsAreWritten)
{
    for (const char* end : {"\r\n", "\n"}) {
        MemoryRig t;
        t.useFile(GoodFile(end));
        t.answer();
        t.memory().Command3_Click();
        EXPECT_EQ(t.run(3), WriteFrames({1, "140710", 1, 2, false, "FT8 1"}) + WriteFrames({2, "140720", 1, 2, false, "FT8 2"})
                                + WriteFrames({3, "140730", 1, 2, false, "FT8 3"}));
    }
}

}  // namespace
}  // namespace talvex::testing
