// The radio side of the server on the scripted line: what each client command puts on the
// wire, what the cache spares it, what a memory operation's ownership refuses, and the
// transmitter released behind a client that went.
#include "server/rig_service.h"

#include "rigserver/command_parser.h"
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

namespace talvex::server {
namespace {

using testing::Hex;

const ClientInfo kWsjtx{1, QStringLiteral("127.0.0.1:40001")};
const ClientInfo kFldigi{2, QStringLiteral("127.0.0.1:40002")};

struct Shared : testing::OpenProgram, ::testing::Test {
    Shared()
    {
        program->link.addExchangeListener([this](const Exchange& closed) { service.exchangeClosed(closed); });
        program->link.addBetweenListener([this](const QByteArray& bytes) { service.bytesBetween(bytes); });
    }

    // The command as the client sends it; the frames it put on the line. The radio answers
    // each frame with `answer` (OK when none is given), and the window closes.
    QStringList ask(const char* line, const ClientInfo& client = kWsjtx, const char* answer = "FB")
    {
        service.execute(rigserver::ParseLine(line).front(), client,
                        [this](const rigserver::Answer& a) { answers.push_back(a); });
        const QByteArray written = port.takeWritten();
        QByteArray reply = written;  // the echo
        for (qsizetype n = written.count('\xFD'); n > 0 && answer; --n)
            reply += Hex("FE FE E0 94") + Hex(answer) + Hex("FD");
        port.receive(reply);
        closeAnswerWindow();
        return testing::FramesOf(written);
    }
    rigserver::Answer last() const { return answers.empty() ? rigserver::Answer{99, {}} : answers.back(); }
    void wait(int ms) { clock.time = clock.time.addMSecs(ms); }

    testing::ScriptedClock clock;
    RigService service{program->state, program->link, timers, clock, [] {}};
    std::vector<rigserver::Answer> answers;
};

struct AgeRow {
    int afterMs;  // since the radio last answered
    bool sent;    // the read went to the radio
};

class CacheAge : public Shared, public ::testing::WithParamInterface<AgeRow> {};

TEST_P(CacheAge, AnswersFromTheCacheWhileFresh)
{
    ask("f", kWsjtx, "03 00 40 07 14 00");
    wait(GetParam().afterMs);
    const QStringList sent = ask("f", kFldigi, "03 00 50 07 14 00");
    EXPECT_EQ(sent, GetParam().sent ? QStringList{"03"} : QStringList{});
    EXPECT_EQ(last().values, std::vector<std::string>{GetParam().sent ? "14075000" : "14074000"});
}

INSTANTIATE_TEST_SUITE_P(Ages, CacheAge, ::testing::Values(AgeRow{0, false}, AgeRow{999, false},
                                                           AgeRow{1000, true}, AgeRow{60000, true}));

TEST_F(Shared, ABroadcastKeepsTheCacheCurrent)
{
    port.receive(Hex("FE FE 00 94 00 00 00 10 07 00 FD FE FE 00 94 01 00 01 FD"));
    timer1().fire();
    EXPECT_EQ(ask("f"), QStringList{});
    EXPECT_EQ(last().values, std::vector<std::string>{"7100000"});
    EXPECT_EQ(ask("m"), QStringList{});
    EXPECT_EQ(last().values, (std::vector<std::string>{"LSB", "3000"}));
}

struct AnswerRow {
    const char* line;
    const char* answer;
    QStringList sent;
    int code;
};

class Sets : public Shared, public ::testing::WithParamInterface<AnswerRow> {};

TEST_P(Sets, ReportWhatTheRadioAnswered)
{
    EXPECT_EQ(ask(GetParam().line, kWsjtx, GetParam().answer), GetParam().sent);
    EXPECT_EQ(last().code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Answers, Sets, ::testing::Values(
    AnswerRow{"T 1", "FB", {"1C 00 01"}, rigserver::code::kOk},
    AnswerRow{"T 1", "FA", {"1C 00 01"}, rigserver::code::kRejected},
    AnswerRow{"T 1", nullptr, {"1C 00 01"}, rigserver::code::kTimeout},
    AnswerRow{"F 99000000", "FB", {}, rigserver::code::kInvalidParameter}));

TEST_F(Shared, AClientsFrequencyShowsInTheRadioWindow)
{
    service.execute(rigserver::ParseLine("F 14074000").front(), kWsjtx,
                    [this](const rigserver::Answer& a) { answers.push_back(a); });
    const QByteArray written = port.takeWritten();
    EXPECT_EQ(testing::FramesOf(written), (QStringList{"05 00 40 07 14 00", "03"}));
    port.receive(written + Hex("FE FE E0 94 FB FD FE FE E0 94 03 00 40 07 14 00 FD"));
    closeAnswerWindow();
    EXPECT_EQ(last().code, rigserver::code::kOk);
    EXPECT_TRUE(program->radioTexts.fields().Text1.contains(QStringLiteral("14.074"))) << program->radioTexts.fields().Text1.toStdString();
    EXPECT_EQ(ask("f"), QStringList{});  // the read-back is cached
}

// A click in the Radio window while a client's exchange is still in its answer window waits
// for that window to close and goes in one of its own; a client's request made meanwhile waits
// behind the click. Each side is told its own answer.
TEST_F(Shared, AClickAndTheClientsTakeTurnsOnTheLine)
{
    std::vector<rigserver::Answer> fldigi;
    service.execute(rigserver::ParseLine("F 14074000").front(), kWsjtx,
                    [this](const rigserver::Answer& a) { answers.push_back(a); });
    const QByteArray set = port.takeWritten();
    program->radio.queryMode();
    service.execute(rigserver::ParseLine("t").front(), kFldigi, [&fldigi](const rigserver::Answer& a) { fldigi.push_back(a); });
    EXPECT_EQ(port.takeWritten(), QByteArray());

    port.receive(set + Hex("FE FE E0 94 FB FD FE FE E0 94 03 00 40 07 14 00 FD"));
    closeAnswerWindow();
    EXPECT_EQ(last().code, rigserver::code::kOk);
    const QByteArray click = port.takeWritten();
    EXPECT_EQ(testing::FramesOf(click), QStringList{"04"});

    port.receive(click + Hex("FE FE E0 94 04 03 02 FD"));
    closeAnswerWindow();
    EXPECT_EQ(program->radioTexts.fields().Text4, QStringLiteral("CW"));
    EXPECT_TRUE(fldigi.empty());
    const QByteArray poll = port.takeWritten();
    EXPECT_EQ(testing::FramesOf(poll), QStringList{"1C 00"});

    port.receive(poll + Hex("FE FE E0 94 1C 00 00 FD"));
    closeAnswerWindow();
    ASSERT_EQ(fldigi.size(), 1u);
    EXPECT_EQ(fldigi.front().values, std::vector<std::string>{"0"});
    EXPECT_EQ(answers.size(), 1u);
}

// While Create File runs the radio steps through its channels: clients are told the state from
// before it, and nothing of theirs reaches the line.
TEST_F(Shared, AMemoryOperationOwnsTheRadio)
{
    ask("f", kWsjtx, "03 00 40 07 14 00");
    ask("t", kWsjtx, "1C 00 00");
    program->state.CreatingFile = true;
    wait(5000);
    EXPECT_EQ(ask("f"), QStringList{});
    EXPECT_EQ(last().values, std::vector<std::string>{"14074000"});
    EXPECT_EQ(ask("t"), QStringList{});
    EXPECT_EQ(last().values, std::vector<std::string>{"0"});
    for (const char* set : {"F 7000000", "T 1", "M USB 0", "V VFOB", "S 1 VFOB"}) {
        EXPECT_EQ(ask(set, kFldigi), QStringList{}) << set;
        EXPECT_EQ(last().code, rigserver::code::kRejected) << set;
    }
    EXPECT_TRUE(program->state.ServerNotice.contains(kFldigi.peer));
    EXPECT_TRUE(program->state.ServerNotice.contains(QStringLiteral("Create File")));
    // Afterwards the radio sits on a memory channel: nothing from before counts any more.
    program->state.CreatingFile = false;
    EXPECT_EQ(ask("f", kWsjtx, "03 00 00 45 14 00"), QStringList{"03"});
    EXPECT_EQ(last().values, std::vector<std::string>{"14450000"});
}

struct GoneRow {
    const char* name;
    const ClientInfo* keyed;  // who keyed the transmitter; nobody when null
    bool answered;            // the radio's OK to the key-down came before the client went
    bool memoryOperation;     // running when the client goes
    QStringList sent;
};

class ClientGone : public Shared, public ::testing::WithParamInterface<GoneRow> {};

TEST_P(ClientGone, ReleasesOnlyItsOwnTransmitter)
{
    const GoneRow& row = GetParam();
    if (row.keyed && row.answered)
        ask("T 1", *row.keyed);
    if (row.keyed && !row.answered)
        service.execute(rigserver::ParseLine("T 1").front(), *row.keyed, [](const rigserver::Answer&) {});
    const QByteArray keyDown = row.answered ? QByteArray() : port.takeWritten();
    program->state.CreatingFile = row.memoryOperation;
    service.clientGone(kWsjtx);
    if (!row.answered) {
        port.receive(keyDown + Hex("FE FE E0 94 FB FD"));
        closeAnswerWindow();
    }
    EXPECT_EQ(testing::FramesOf(port.takeWritten()), row.sent);
    EXPECT_EQ(program->state.ServerNotice.contains(QStringLiteral("PTT released")), !row.sent.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Clients, ClientGone, ::testing::Values(
    GoneRow{"KeyedByIt", &kWsjtx, true, false, {"1C 00 00"}},
    GoneRow{"KeyDownNotYetAnswered", &kWsjtx, false, false, {"1C 00 00"}},
    GoneRow{"KeyedByItDuringAMemoryOperation", &kWsjtx, true, true, {"1C 00 00"}},
    GoneRow{"KeyedByAnother", &kFldigi, true, false, {}},
    GoneRow{"NotKeyed", nullptr, true, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A key-down still waiting for the line when its client goes never leaves: nothing may key the
// radio for a client that is no longer there, least of all after the release its leaving sends.
TEST_F(Shared, AKeyDownStillWaitingWhenItsClientGoesNeverLeaves)
{
    program->radio.queryMode();
    QByteArray window = port.takeWritten();
    service.execute(rigserver::ParseLine("T 1").front(), kWsjtx, [](const rigserver::Answer&) {});
    service.clientGone(kWsjtx);
    QStringList sent;
    for (int turn = 0; turn < 4 && !window.isEmpty(); ++turn) {
        port.receive(window + Hex(turn == 0 ? "FE FE E0 94 04 03 02 FD" : "FE FE E0 94 FB FD"));
        closeAnswerWindow();
        window = port.takeWritten();
        sent += testing::FramesOf(window);
    }
    EXPECT_EQ(sent, QStringList{"1C 00 00"});
}

// A key-down that waited out a release (System Setup reopening the port) and was then confirmed
// is still its client's transmitter: it is released when that client goes.
TEST_F(Shared, AKeyDownConfirmedAfterAReleaseIsReleasedWhenItsClientGoes)
{
    program->radio.queryMode();
    const QByteArray window = port.takeWritten();
    service.execute(rigserver::ParseLine("T 1").front(), kWsjtx, [](const rigserver::Answer&) {});
    service.releaseBeforePortCloses();
    EXPECT_EQ(testing::FramesOf(port.takeWritten()), QStringList{"1C 00 00"});
    port.receive(window + Hex("FE FE E0 94 04 03 02 FD"));
    closeAnswerWindow();
    const QByteArray keyDown = port.takeWritten();
    ASSERT_EQ(testing::FramesOf(keyDown), QStringList{"1C 00 01"});
    port.receive(keyDown + Hex("FE FE E0 94 FB FD"));
    closeAnswerWindow();
    service.clientGone(kWsjtx);
    EXPECT_EQ(testing::FramesOf(port.takeWritten()), QStringList{"1C 00 00"});
}

// The program ending with a client's transmitter keyed: the PTT-off goes out before the port
// closes, and only when a client still holds the transmitter.
struct EndRow {
    const char* name;
    std::vector<const char*> lines;  // what the client sent before the end
    QStringList sent;
};

class ProgramEnd : public Shared, public ::testing::WithParamInterface<EndRow> {};

TEST_P(ProgramEnd, ReleasesAClientsTransmitterBeforeThePortCloses)
{
    for (const char* line : GetParam().lines)
        ask(line);
    service.releaseBeforePortCloses();
    EXPECT_EQ(testing::FramesOf(port.takeWritten()), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Ends, ProgramEnd, ::testing::Values(
    EndRow{"Keyed", {"T 1"}, {"1C 00 00"}},
    EndRow{"ReleasedByTheClient", {"T 1", "T 0"}, {}},
    EndRow{"NotKeyed", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvex::server
