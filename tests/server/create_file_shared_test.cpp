// Two clients polling while Create File reads the radio's 99 channels, on the real line to
// talvex-sim: the file comes out whole, every read is answered with the state from before the
// operation, every set is refused, and no request goes unanswered.
#include "app/rig_sharing.h"

#include "bench/bench_program.h"
#include "platform/qt_tcp_server.h"
#include "tests/support/sim_memory.h"

#include <QFile>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

namespace talvex::testing {
namespace {

// A client that asks f, m, t and s every 250 ms, and a frequency set while Create File runs.
// It keeps the lines each command was answered with, in the order asked.
class Poller {
public:
    Poller(std::uint16_t port, const std::function<bool()>& owned) : owned_(owned)
    {
        socket_.connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { read(); });
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { ask(); });
        timer_.start(250);
    }
    void stop() { timer_.stop(); }
    bool allAnswered() const { return asked_.empty(); }

    struct Answer {
        QString command;
        QStringList lines;
        bool whileOwned;  // asked while the memory operation ran
    };
    std::vector<Answer> answers;

private:
    void ask()
    {
        const bool owned = owned_();
        QStringList commands{"f", "m", "t", "s"};
        if (owned)
            commands << QStringLiteral("F 7000000");
        for (const QString& command : commands) {
            asked_.push_back({command, {}, owned});
            socket_.write(command.toLatin1() + '\n');
        }
    }
    void read()
    {
        buffer_ += QString::fromLatin1(socket_.readAll());
        for (qsizetype end; !asked_.empty() && (end = buffer_.indexOf(u'\n')) >= 0;) {
            Answer& next = asked_.front();
            next.lines << buffer_.left(end);
            buffer_.remove(0, end + 1);
            const bool twoLines = next.command == u"m" || next.command == u"s";
            if (next.lines.size() == (twoLines && !next.lines.front().startsWith(u"RPRT") ? 2 : 1)) {
                answers.push_back(next);
                asked_.pop_front();
            }
        }
    }

    QTcpSocket socket_;
    QTimer timer_;
    std::function<bool()> owned_;
    std::deque<Answer> asked_;
    QString buffer_;
};

TEST(CreateFileShared, ClientsAreToldTheStateFromBeforeItAndRefusedTheirSets)
{
    QTemporaryDir memoryDirectory;
    const QString memoryPath = memoryDirectory.filePath(QStringLiteral("memory.txt"));
    const Memory radio = ReadMemory(DemoMemoryPath(TALVEX_DEMO_DIR));
    ASSERT_TRUE(WriteMemory(memoryPath, radio));
    bench::BenchProgram run(QStringLiteral("19200,N,8,1"), {QStringLiteral("--memory"), memoryPath});
    ASSERT_TRUE(run.startUp());
    QtTcpServer socket;
    RigSharing sharing(*run.program, socket, run.clock);
    ASSERT_EQ(sharing.start({QStringLiteral("127.0.0.1"), 0}), std::nullopt);

    const ProgramState& state = run.program->state;
    const auto owned = [&state] { return state.CreatingFile; };
    Poller wsjtx(sharing.port(), owned);
    Poller fldigi(sharing.port(), owned);
    ASSERT_TRUE(run.runUntil([&] { return wsjtx.answers.size() >= 4 && fldigi.answers.size() >= 4; }, 10000));
    std::map<QString, QStringList> before;
    for (const auto& answer : wsjtx.answers)
        before[answer.command] = answer.lines;

    run.dialogs.answerMessage(MessageAnswer::Yes);
    run.program->memoryWindow.createFile();
    ASSERT_TRUE(state.CreatingFile);
    ASSERT_TRUE(run.runUntil([&] { return !state.CreatingFile; }, 120000));
    wsjtx.stop();
    fldigi.stop();
    ASSERT_TRUE(run.runUntil([&] { return wsjtx.allAnswered() && fldigi.allAnswered(); }, 10000));

    QFile file(run.path(QStringLiteral("TALVEX.TXT")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    const QStringList expected = ExpectedChannelLines(radio);
    int right = 0;
    for (int i = 0; i < 99; ++i)
        right += lines.size() > i + 3 && lines[i + 3] == expected[i];
    EXPECT_EQ(right, 99);

    int refused = 0;
    int toldBefore = 0;
    for (const Poller* client : {&wsjtx, &fldigi}) {
        for (const auto& answer : client->answers) {
            if (answer.command.startsWith(u'F')) {
                EXPECT_EQ(answer.lines, QStringList{"RPRT -9"});
                ++refused;
            } else {
                EXPECT_EQ(answer.lines, before[answer.command]) << answer.command.toStdString();
                toldBefore += answer.whileOwned;
            }
        }
    }
    // Create File takes some 30 s: each client asked some 120 times meanwhile.
    EXPECT_GT(refused, 100);
    EXPECT_GT(toldBefore, 400);
    EXPECT_TRUE(state.ServerNotice.contains(QStringLiteral("Create File"))) << state.ServerNotice.toStdString();
}

}  // namespace
}  // namespace talvex::testing
