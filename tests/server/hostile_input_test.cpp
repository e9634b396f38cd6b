// The server against what a careless or hostile client sends: a connection never stalls the
// others, never holds more than a bounded line, and every command gets its answer in order.
// The radio side is a fake that answers f at once or holds its answers back.
#include "server/rig_server.h"

#include "tests/support/scripted_platform.h"
#include "tests/support/scripted_tcp.h"

#include <gtest/gtest.h>

#include <deque>

namespace talvex::server {
namespace {

using testing::ManualTimerFactory;
using testing::ScriptedClient;
using testing::ScriptedServer;

// Answers f with 14074000 and everything else as its verb's plain report; with `hold`, keeps
// the answers until release().
class FakeRadioSide final : public RigBackend {
public:
    void execute(const rigserver::RigCommand& command, const ClientInfo&, Done done) override
    {
        ++executed;
        const rigserver::Answer answer = command.verb == rigserver::Verb::GetFreq
                                             ? rigserver::Answer{0, {"14074000"}}
                                             : rigserver::Answer{};
        if (hold)
            held.emplace_back([done, answer] { done(answer); });
        else
            done(answer);
    }
    void clientGone(const ClientInfo& client) override { gone.push_back(client.peer); }
    void release()
    {
        hold = false;
        for (; !held.empty(); held.pop_front())
            held.front()();
    }

    bool hold = false;
    int executed = 0;
    std::deque<std::function<void()>> held;
    std::vector<QString> gone;
};

struct Served : ::testing::Test {
    Served() : server(socket, radio, timers) { server.start(QStringLiteral("127.0.0.1"), 4532); }
    void sweep() { timers.timers.front()->fire(); }

    ScriptedServer socket;
    FakeRadioSide radio;
    ManualTimerFactory timers;
    RigServer server;
};

struct HostileRow {
    const char* name;
    QByteArray sent;
    QByteArray answered;  // what the client gets back, in full
};

class HostileLine : public Served, public ::testing::WithParamInterface<HostileRow> {};

// Whatever one client sends, another one polling beside it is answered at once, and the
// hostile client itself is answered what rigctld would answer it.
TEST_P(HostileLine, IsAnsweredAndStallsNobody)
{
    ScriptedClient& hostile = socket.connect();
    ScriptedClient& polite = socket.connect();
    hostile.send(GetParam().sent);
    polite.send("f\n");
    EXPECT_EQ(hostile.written, GetParam().answered);
    EXPECT_EQ(polite.written, "14074000\n");
    EXPECT_FALSE(polite.closeAsked);
}

INSTANTIATE_TEST_SUITE_P(Lines, HostileLine, ::testing::Values(
    HostileRow{"MegabyteLine", QByteArray(1 << 20, 'f') + "\nf\n", "RPRT -1\n14074000\n"},
    HostileRow{"MegabyteInPieces", QByteArray(1024, 'x') + "x", "RPRT -1\n"},
    HostileRow{"LineJustUnderTheCap", QByteArray(1023, ' ') + "\n", ""},
    HostileRow{"BinaryBytes", QByteArray("\x00\xff\xfe\x01\x80\n", 6), "RPRT -4\n"},
    HostileRow{"BinaryAfterACommand", QByteArray("f\x00\xff\n", 4), "14074000\nRPRT -4\n"},
    HostileRow{"HalfCommand", "F", ""},
    HostileRow{"CommandWithoutItsArgument", "F\n", "RPRT -1\n"},
    HostileRow{"Silent", "", ""},
    HostileRow{"CarriageReturns", "f\r\nf\r\n", "14074000\n14074000\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Served, AHalfCommandIsAnsweredWhenItsLineEnds)
{
    ScriptedClient& client = socket.connect();
    client.send("F 1407");
    EXPECT_EQ(radio.executed, 0);
    client.send("4000\n");
    EXPECT_EQ(client.written, "RPRT 0\n");
}

TEST_F(Served, AnswersComeInTheOrderAsked)
{
    ScriptedClient& client = socket.connect();
    radio.hold = true;
    client.send("f\nT 1\n");
    client.send("f\n");
    EXPECT_EQ(radio.executed, 1);  // one command with the radio at a time
    EXPECT_EQ(client.written, "");
    radio.release();
    EXPECT_EQ(client.written, "14074000\nRPRT 0\n14074000\n");
}

TEST_F(Served, AClientPilingUpCommandsIsClosed)
{
    ScriptedClient& client = socket.connect();
    radio.hold = true;
    QByteArray many;
    for (int i = 0; i <= 300; ++i)
        many += "f\n";
    client.send(many);
    EXPECT_TRUE(client.closeAsked);
}

// Eight are served; the ninth is closed at once and read from no more. When one of the eight
// goes, a new one is served again.
TEST_F(Served, TheNinthClientIsClosed)
{
    std::vector<ScriptedClient*> clients;
    for (int i = 0; i < RigServer::kMaxClients; ++i)
        clients.push_back(&socket.connect());
    ScriptedClient& ninth = socket.connect();
    EXPECT_TRUE(ninth.closeAsked);
    for (ScriptedClient* client : clients)
        EXPECT_FALSE(client->closeAsked);
    ninth.hangUp();
    clients.front()->hangUp();
    sweep();
    EXPECT_EQ(server.clients(), RigServer::kMaxClients - 1);
    EXPECT_FALSE(socket.connect().closeAsked);
}

TEST_F(Served, AThousandConnectionsInARowLeaveNothingBehind)
{
    for (int i = 0; i < 1000; ++i) {
        ScriptedClient& client = socket.connect();
        client.send("f\n");
        ASSERT_EQ(client.written, "14074000\n") << "connection " << i;
        client.hangUp();
        sweep();
    }
    EXPECT_EQ(server.clients(), 0);
    EXPECT_EQ(radio.gone.size(), 1000u);
}

TEST_F(Served, AnAnswerForAClientThatWentIsDropped)
{
    ScriptedClient& client = socket.connect();
    radio.hold = true;
    client.send("f\n");
    client.hangUp();
    sweep();
    radio.release();  // would write into a deleted client
    EXPECT_EQ(server.clients(), 0);
}

TEST_F(Served, QuitClosesWithoutAWord)
{
    ScriptedClient& client = socket.connect();
    client.send("q\nf\n");
    EXPECT_TRUE(client.closeAsked);
    EXPECT_EQ(client.written, "");
}

}  // namespace
}  // namespace talvex::server
