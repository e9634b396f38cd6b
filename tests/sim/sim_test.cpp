#include "tests/support/sim_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

class SimTest : public ::testing::Test {
protected:
    void start(const QStringList& arguments = {})
    {
        sim = std::make_unique<SimProcess>(directory.path(), arguments);
        ASSERT_TRUE(sim->ready());
        line = std::make_unique<RawLine>(sim->linkPath());
        ASSERT_TRUE(line->ok());
    }
    // The frame, its echo and what the radio answered.
    QByteArray exchange(const QByteArray& frame)
    {
        line->write(frame);
        return line->readUntilQuiet();
    }

    QTemporaryDir directory;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<RawLine> line;
};

TEST_F(SimTest, EchoesEveryFrameAndAnswersTheCatalogue)
{
    start({QStringLiteral("--callsign"), QStringLiteral("K1ABC"), QStringLiteral("--clock"), QStringLiteral("0705"),
           QStringLiteral("--transceive"), QStringLiteral("dial")});
    struct Case {
        const char* frame;
        const char* answer;
    };
    const Case cases[] = {
        {"FE FE 94 E0 03 FD", "FE FE E0 94 03 00 40 07 14 00 FD"},
        {"FE FE 94 E0 04 FD", "FE FE E0 94 04 01 02 FD"},
        {"FE FE 94 E0 02 FD", "FE FE E0 94 02 00 00 00 14 00 2D 00 00 35 14 00 FD"},
        {"FE FE 94 E0 05 00 00 10 07 00 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 03 FD", "FE FE E0 94 03 00 00 10 07 00 FD"},
        {"FE FE 94 E0 06 03 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 06 08 01 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 04 FD", "FE FE E0 94 04 08 01 FD"},
        {"FE FE 94 E0 06 06 FD", "FE FE E0 94 FA FD"},
        {"FE FE 94 E0 07 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 07 A0 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 08 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 08 00 05 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 08 00 9A FD", "FE FE E0 94 FA FD"},
        {"FE FE 94 E0 0A FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 0F 01 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 11 20 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 13 00 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 14 01 55 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 14 01 5A FD", "FE FE E0 94 FA FD"},
        {"FE FE 94 E0 15 01 FD", "FE FE E0 94 15 01 00 FD"},
        {"FE FE 94 E0 15 02 FD", "FE FE E0 94 15 02 01 20 FD"},
        {"FE FE 94 E0 16 47 02 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 16 47 03 FD", "FE FE E0 94 FA FD"},
        {"FE FE 94 E0 19 00 FD", "FE FE E0 94 19 00 94 FD"},
        {"FE FE 94 E0 1A 05 00 91 FD", "FE FE E0 94 1A 05 00 91 4B 31 41 42 43 20 20 20 FD"},
        {"FE FE 94 E0 1A 05 00 95 FD", "FE FE E0 94 1A 05 00 95 07 05 FD"},
        {"FE FE 94 E0 1C 00 FD", "FE FE E0 94 1C 00 00 FD"},
        {"FE FE 94 E0 1C 00 01 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 1C 00 FD", "FE FE E0 94 1C 00 01 FD"},
        {"FE FE 94 E0 21 01 01 FD", "FE FE E0 94 FB FD"},
        {"FE FE 94 E0 1A 00 00 05 FD", "FE FE E0 94 1A 00 00 05 FF FD"},
        {"FE FE 94 E0 77 FD", "FE FE E0 94 FA FD"},
    };
    for (const Case& c : cases) {
        const QByteArray frame = Hex(c.frame);
        EXPECT_EQ(exchange(frame).toHex(' '), (frame + Hex(c.answer)).toHex(' ')) << c.frame;
    }
}

TEST_F(SimTest, FramesWrittenBackToBackAreEchoedBeforeAnyAnswer)
{
    start({QStringLiteral("--no-ok")});
    const QByteArray select = Hex("FE FE 94 E0 08 00 05 FD");
    const QByteArray read = Hex("FE FE 94 E0 1A 00 00 05 FD");
    EXPECT_EQ(exchange(select + read).toHex(' '),
              (select + read + Hex("FE FE E0 94 1A 00 00 05 FF FD")).toHex(' '));
}

TEST_F(SimTest, AMemoryWriteIsReadBackAndKeptInTheMemoryFile)
{
    const QString memory = directory.filePath(QStringLiteral("memory.txt"));
    start({QStringLiteral("--memory"), memory});
    const QByteArray contents = Hex("00 07 00 00 40 07 14 00 01 02 00 00 10 00 00 10 00 "
                                    "00 40 07 14 00 01 02 00 00 10 00 00 10 00 46 54 38 20 43 41 4C 4C 20 20");
    ASSERT_EQ(contents.size(), 41);
    const QByteArray write = Hex("FE FE 94 E0 1A 00") + contents + Hex("FD");
    EXPECT_EQ(exchange(write), write + Hex("FE FE E0 94 FB FD"));
    const QByteArray read = Hex("FE FE 94 E0 1A 00 00 07 FD");
    EXPECT_EQ(exchange(read), read + Hex("FE FE E0 94 1A 00") + contents + Hex("FD"));

    QFile file(memory);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 101);
    EXPECT_EQ(lines[6], "ch 7: " + contents.toHex(' ').toUpper());
    EXPECT_EQ(lines[4], "ch 5: blank");

    // Select and clear: the channel is blank again.
    exchange(Hex("FE FE 94 E0 08 00 07 FD"));
    exchange(Hex("FE FE 94 E0 0B FD"));
    EXPECT_EQ(exchange(read), read + Hex("FE FE E0 94 1A 00 00 07 FF FD"));
}

TEST_F(SimTest, PowerOffSilencesTheRadioUntilTheLongWakeUp)
{
    start();
    const QByteArray off = Hex("FE FE 94 E0 18 00 FD");
    EXPECT_EQ(exchange(off), off + Hex("FE FE E0 94 FB FD"));
    EXPECT_TRUE(exchange(Hex("FE FE 94 E0 03 FD")).isEmpty());
    const QByteArray shortWake = Hex("FE FE 94 E0").repeated(10) + Hex("18 01 FD");
    EXPECT_TRUE(exchange(shortWake).isEmpty());
    const QByteArray wake = Hex("FE FE 94 E0").repeated(25) + Hex("18 01 FD");
    ASSERT_EQ(wake.size(), 103);
    EXPECT_EQ(exchange(wake), Hex("FE FE E0 94 FB FD"));
    EXPECT_EQ(exchange(Hex("FE FE 94 E0 19 00 FD")), Hex("FE FE 94 E0 19 00 FD FE FE E0 94 19 00 94 FD"));
}

TEST_F(SimTest, BroadcastsChangesMadeFromTheLineAndAtTheDial)
{
    start();
    const QByteArray set = Hex("FE FE 94 E0 05 00 00 10 07 00 FD");
    EXPECT_EQ(exchange(set), set + Hex("FE FE E0 94 FB FD FE FE 00 94 00 00 00 10 07 00 FD"));
    sim->control(QStringLiteral("dial 500"));
    EXPECT_EQ(line->readUntilQuiet(), Hex("FE FE 00 94 00 00 05 10 07 00 FD"));
}

TEST_F(SimTest, FaultSwitchesBreakTheAnswersAsAsked)
{
    start();
    const QByteArray query = Hex("FE FE 94 E0 03 FD");
    const QByteArray answer = Hex("FE FE E0 94 03 00 40 07 14 00 FD");
    sim->control(QStringLiteral("fault drop"));
    EXPECT_EQ(exchange(query), query);
    sim->control(QStringLiteral("fault truncate"));
    EXPECT_EQ(exchange(query), query + answer.left(answer.size() - 3));
    sim->control(QStringLiteral("fault ng"));
    EXPECT_EQ(exchange(query), query + Hex("FE FE E0 94 FA FD"));
    sim->control(QStringLiteral("fault silent"));
    EXPECT_TRUE(exchange(query).isEmpty());
    sim->control(QStringLiteral("fault noise"));
    const QByteArray noisy = exchange(query);
    EXPECT_TRUE(noisy.startsWith(query));
    EXPECT_TRUE(noisy.endsWith(answer));
    EXPECT_GT(noisy.size(), query.size() + answer.size());
    sim->control(QStringLiteral("fault none"));
    EXPECT_EQ(exchange(query), query + answer);
}

// The one timing check of the simulator itself: bytes leave at ten bits a byte.
TEST_F(SimTest, AtFortyEightHundredBaudBytesTakeTenBitTimes)
{
    start({QStringLiteral("--baud"), QStringLiteral("4800"), QStringLiteral("--latency-ms"), QStringLiteral("1")});
    const QByteArray frames = Hex("FE FE 94 E0 19 00 FD").repeated(20);  // 140 bytes of echo + 160 of answers
    QElapsedTimer clock;
    clock.start();
    line->write(frames);
    // The echo starts at once, so the last byte arrives one line time after the write.
    QByteArray received;
    qint64 elapsed = 0;
    while (received.size() < 300 && clock.elapsed() < 3000) {
        received += line->readUntilQuiet(1, 20);
        elapsed = clock.elapsed();
    }
    ASSERT_EQ(received.size(), 300) << received.toHex(' ').toStdString();
    const double ideal = 300 * 10 * 1000.0 / 4800;  // 625 ms
    EXPECT_NEAR(static_cast<double>(elapsed), ideal, ideal * 0.10);
}

}  // namespace
}  // namespace talvex::testing
