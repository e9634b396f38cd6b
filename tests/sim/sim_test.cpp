// talvex-sim itself, played against with hand-built frames over its pseudo-terminal, and by
// Hamlib's rigctl.
#include "tests/support/sim_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

QByteArray Hex(const QByteArray& text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }
// "03" -> FE FE 94 E0 03 FD; "FB" -> FE FE E0 94 FB FD.
QByteArray To(const char* body) { return Hex("FE FE 94 E0 " + QByteArray(body) + " FD"); }
QByteArray From(const char* body) { return Hex("FE FE E0 94 " + QByteArray(body) + " FD"); }
QByteArray Wake(int prefixes) { return Hex("FE FE 94 E0").repeated(prefixes) + Hex("18 01 FD"); }

// A control line (if any), a frame, and exactly what comes back: its echo unless `echo` is
// false, then `answer`.
struct Step {
    const char* control;
    QByteArray frame;
    QByteArray answer;
    bool echo = true;
};

// Frames to the radio and its answers, each echoed: {"03", "03 00 40 07 14 00"}.
std::vector<Step> Exchanges(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    std::vector<Step> steps;
    for (const auto& [frame, answer] : pairs)
        steps.push_back({nullptr, To(frame), From(answer)});
    return steps;
}

struct Scenario {
    const char* name;
    QStringList arguments;
    std::vector<Step> steps;
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

class SimLine : public ::testing::Test {
protected:
    void start(const QStringList& arguments)
    {
        sim = std::make_unique<SimProcess>(directory.path(), arguments);
        ASSERT_TRUE(sim->ready());
        line = std::make_unique<RawLine>(sim->linkPath());
        ASSERT_TRUE(line->ok());
    }
    // Nothing expected: the line must stay silent for 300 ms, sixty times the answer latency.
    QByteArray exchange(const QByteArray& frame, qsizetype expected)
    {
        line->write(frame);
        return line->readUntilQuiet(20, expected == 0 ? 300 : 2000, static_cast<int>(expected));
    }
    void play(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            if (s.control)
                sim->control(QString::fromLatin1(s.control));
            const QByteArray expected = (s.echo ? s.frame : QByteArray()) + s.answer;
            EXPECT_EQ(exchange(s.frame, expected.size()).toHex(' '), expected.toHex(' '))
                << (s.control ? s.control : "") << " " << s.frame.toHex(' ').toStdString();
        }
    }

    QTemporaryDir directory;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<RawLine> line;
};

class SimScenario : public SimLine, public ::testing::WithParamInterface<Scenario> {};

TEST_P(SimScenario, AnswersExactlyAsTheRadioWould)
{
    start(GetParam().arguments);
    play(GetParam().steps);
}

const QByteArray kQuery = To("03");
const QByteArray kAnswer = From("03 00 40 07 14 00");

INSTANTIATE_TEST_SUITE_P(Line, SimScenario, ::testing::Values(
    Scenario{"Catalogue", {"--callsign", "K1ABC", "--clock", "0705", "--transceive", "dial"}, Exchanges({
        {"03", "03 00 40 07 14 00"}, {"04", "04 01 02"}, {"02", "02 00 00 00 14 00 2D 00 00 35 14 00"},
        {"05 00 00 10 07 00", "FB"}, {"03", "03 00 00 10 07 00"}, {"06 03", "FB"}, {"06 08 01", "FB"}, {"04", "04 08 01"},
        {"06 06", "FA"}, {"07", "FB"}, {"07 A0", "FB"}, {"08", "FB"}, {"08 00 05", "FB"}, {"08 00 9A", "FA"}, {"0A", "FA"},
        {"0F 01", "FB"}, {"11 20", "FB"}, {"13 00", "FB"}, {"14 01 55", "FB"}, {"14 01 5A", "FA"}, {"15 01", "15 01 00"},
        {"15 02", "15 02 01 20"}, {"16 47 02", "FB"}, {"16 47 03", "FA"}, {"19 00", "19 00 94"},
        {"1A 05 00 91", "1A 05 00 91 4B 31 41 42 43 20 20 20"}, {"1A 05 00 95", "1A 05 00 95 07 05"},
        {"1C 00", "1C 00 00"}, {"1C 00 01", "FB"}, {"1C 00", "1C 00 01"}, {"21 01 01", "FB"},
        {"1A 00 00 05", "1A 00 00 05 FF"}, {"77", "FA"}})},
    // Frames written back to back are all echoed before any answer; no OK for the select.
    Scenario{"BackToBackWithoutOk", {"--no-ok"},
             {{nullptr, To("08 00 05") + To("1A 00 00 05"), From("1A 00 00 05 FF")}}},
    // After Power OFF nothing answers until Power ON with its 25 prefixes (103 bytes).
    Scenario{"PowerOffUntilTheLongWakeUp", {}, {
        {nullptr, To("18 00"), From("FB")}, {nullptr, To("03"), {}, false}, {nullptr, Wake(10), {}, false},
        {nullptr, Wake(25), From("FB"), false}, {nullptr, To("19 00"), From("19 00 94")}}},
    Scenario{"BroadcastsFromTheLineAndTheDial", {}, {
        {nullptr, To("05 00 00 10 07 00"), From("FB") + Hex("FE FE 00 94 00 00 00 10 07 00 FD")},
        {"dial 500", {}, Hex("FE FE 00 94 00 00 05 10 07 00 FD")}}},
    // The select of channel 30 lost once on the way in: no echo, no OK; the next one arrives.
    Scenario{"LosesTheFirstSelectOfThirtyOnly", {"--lose-once", "080030"}, {
        {nullptr, To("08 00 29"), From("FB")}, {nullptr, To("08 00 30"), {}, false}, {nullptr, To("08 00 30"), From("FB")}}},
    Scenario{"FaultSwitches", {}, {
        {"fault drop", kQuery, {}}, {"fault truncate", kQuery, kAnswer.left(kAnswer.size() - 3)},
        {"fault ng", kQuery, From("FA")}, {"fault silent", kQuery, {}, false}, {"fault none", kQuery, kAnswer}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimLine, NoiseComesBetweenTheEchoAndTheAnswer)
{
    EXPECT_EQ(Wake(25).size(), 103);
    start({"--fault", "noise"});
    const QByteArray noisy = exchange(kQuery, kQuery.size() + kAnswer.size() + 1);
    EXPECT_TRUE(noisy.startsWith(kQuery));
    EXPECT_TRUE(noisy.endsWith(kAnswer));
    EXPECT_GT(noisy.size(), kQuery.size() + kAnswer.size());
}

// Bits turned over on the way in show in the echo, which is what the radio read; a frame read
// wrong is not acted on.
TEST_F(SimLine, BitsFlippedOnTheWayInShowInTheEcho)
{
    start({"--bit-flips-in", "1"});
    QByteArray inverted = kQuery;
    for (char& byte : inverted)
        byte = static_cast<char>(~byte);
    EXPECT_EQ(exchange(kQuery, kQuery.size() + 1), inverted);
}

// The one timing check of the simulator itself: bytes leave at ten bits a byte.
TEST_F(SimLine, AtFortyEightHundredBaudBytesTakeTenBitTimes)
{
    start({"--baud", "4800", "--latency-ms", "1"});
    QElapsedTimer clock;
    clock.start();
    line->write(To("19 00").repeated(20));  // 140 bytes of echo + 160 of answers
    const QByteArray received = line->readUntilQuiet(1, 3000, 300);
    const qint64 elapsed = clock.elapsed();  // the echo starts at once: one line time
    ASSERT_EQ(received.size(), 300) << received.toHex(' ').toStdString();
    const double ideal = 300 * 10 * 1000.0 / 4800;  // 625 ms
    EXPECT_NEAR(static_cast<double>(elapsed), ideal, ideal * 0.10);
}

// Hamlib's rigctl with its IC-7300 model on the simulator's line, as another station program
// would drive the radio.
class RigctlOnSim : public SimLine {
protected:
    void SetUp() override
    {
        program = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
        if (program.isEmpty())
            GTEST_SKIP() << "rigctl is not installed (Debian package libhamlib-utils)";
    }
    // What rigctl printed, once it has ended without an error or a command the radio refused.
    QByteArray rigctl(const QStringList& commands)
    {
        QProcess client;
        client.start(program, QStringList{"-m", "3073", "-r", sim->linkPath(), "-s", "19200"} + commands);
        EXPECT_TRUE(client.waitForFinished(20000));
        const QString errors = QString::fromLatin1(client.readAllStandardError());
        EXPECT_EQ(client.exitCode(), 0);
        EXPECT_FALSE(errors.contains(u"rejected") || errors.contains(u"error", Qt::CaseInsensitive)) << errors.toStdString();
        return client.readAllStandardOutput();
    }

    QString program;
};

// It reads back the frequency and mode it set, and selects memory 5 on the wire, answered OK.
TEST_F(RigctlOnSim, SetsAndReadsBackFrequencyAndModeAndSelectsMemoryFive)
{
    const QString log = directory.filePath(QStringLiteral("sim.log"));
    start({"--log", log});
    EXPECT_TRUE(rigctl({"F", "7100000", "f", "M", "LSB", "2400", "m", "V", "MEM", "E", "5"}).startsWith("7100000\nLSB\n"));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray traffic = file.readAll();
    const qsizetype select = traffic.indexOf(" in FE FE 94 E0 08 05 FD");
    ASSERT_GE(select, 0) << traffic.toStdString();
    EXPECT_EQ(traffic.mid(traffic.indexOf(" out FE FE E0 94 ", select), 24), " out FE FE E0 94 FB FD\n");
}

// VFO to memory (09) stores 7.074 MHz LSB in channel 12 and its file; in memory mode the
// frequency and mode read are the channel's, not the VFO's 14.074 MHz.
TEST_F(RigctlOnSim, StoresTheVfoInAChannelAndReadsItInMemoryMode)
{
    const QString memory = directory.filePath(QStringLiteral("memory.txt"));
    start({"--memory", memory});
    EXPECT_EQ(rigctl({"F", "7074000", "M", "LSB", "2400", "E", "12", "G", "FROM_VFO", "F", "14074000", "V", "MEM", "f", "m"}),
              "7074000\nLSB\n2400\n");
    QFile file(memory);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nch 12: 00 12 00 00 40 07 07 00 00 01 "));
}

// The radio on RTTY FIL1 from its own panel: rigctl reads the passband with 1A 03.
TEST_F(RigctlOnSim, ReadsRttyFilterOneAsTwentyFourHundredHertz)
{
    start({"--transceive", "off"});
    ASSERT_EQ(exchange(To("06 04 01"), 12), To("06 04 01") + From("FB"));
    EXPECT_EQ(rigctl({"m"}), "RTTY\n2400\n");
}

// Noise blanker, noise reduction and auto notch read back on; the preamp, never set, off.
TEST_F(RigctlOnSim, ReadsBackTheSwitchesItSet)
{
    start({});
    EXPECT_EQ(rigctl({"U", "NB", "1", "U", "NR", "1", "U", "ANF", "1", "u", "NB", "u", "NR", "u", "ANF", "l", "PREAMP"}),
              "1\n1\n1\n0\n");
}

}  // namespace
}  // namespace talvex::testing
