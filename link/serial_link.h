#pragma once

#include "connection_doctor.h"
#include "link_listener.h"
#include "state/program_state.h"

#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "platform/serial_port.h"
#include "platform/timer.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace talvex {

// The four questions start-up asks, one per answer. They are the Radio window's own
// procedures, so the chain sends exactly what the buttons send.
class StartupQueries {
public:
    virtual ~StartupQueries() = default;
    virtual void queryFrequency() = 0;
    virtual void queryMode() = 0;
    virtual void queryId() = 0;
    virtual void queryMyCall() = 0;
};

// One answer window: the frames sent while it was open, every byte that came back in it, and
// the address of the radio the frames went to, the only one whose answers count.
struct Exchange {
    std::vector<QByteArray> sent;
    QByteArray received;
    std::uint8_t radio = 0;  // given when the window closes
};

// How the start-up query chain ended: whether the radio answered it, and the causes the
// connection doctor named on the way.
struct StartupVerdict {
    bool answered = false;
    std::vector<LineFinding> findings;
};

// The link between the windows and the radio: the one way a frame leaves the program, the
// answer timer that collects what comes back, and the poll that reads broadcasts between
// operations.
class SerialLink {
public:
    static constexpr int kAnswerWindowMs = 250;
    static constexpr int kBroadcastPollMs = 1000;
    static constexpr int kMinimumCallSignAnswer = 15;

    // `radio`: the radio's CI-V address for this run, which every frame the program sends
    // carries and every answer it takes comes from.
    SerialLink(ProgramState& state, SerialPort& port, Dialogs& dialogs, ProgramExit& exit,
               TimerFactory& timers, std::uint8_t radio);

    std::uint8_t radioAddress() const { return radio_; }

    void setStartupQueries(StartupQueries* queries) { queries_ = queries; }
    // Opens the configured port again without asking anything; true when it opened. Used to
    // get the line back after its device went away.
    void setReopen(std::function<bool()> reopen) { reopen_ = std::move(reopen); }
    // Called when an answer window closes, after its bytes were read.
    void setExchangeClosed(std::function<void(const Exchange&)> closed) { exchangeClosed_ = std::move(closed); }
    // Further listeners, told after the one above of every window that closed, and of the
    // bytes that came between operations (the broadcasts): the rig server's queue and cache.
    void addExchangeListener(std::function<void(const Exchange&)> listener)
    {
        exchangeListeners_.push_back(std::move(listener));
    }
    void addBetweenListener(std::function<void(const QByteArray&)> listener)
    {
        betweenListeners_.push_back(std::move(listener));
    }
    // An answer window is open: what was sent has not been answered and read yet.
    bool answerAwaited() const { return answerTimer_->isEnabled(); }

    // The start-up query chain as a command line judges it: when the chain ends it is told how,
    // and the causes named on the way are its to tell. Without a judge the windows' way holds:
    // each cause in a message as it is found, and a chain the radio did not answer ends the
    // program.
    void setStartupJudge(std::function<void(const StartupVerdict&)> judge) { startupJudge_ = std::move(judge); }
    // Asks the start-up questions, one an answer window, from an empty window on.
    void startQueryChain();

    // Called after every tick that may have changed what the windows show.
    void setDisplayChanged(std::function<void()> changed) { displayChanged_ = std::move(changed); }
    // Each face that shows the radio hears every reading, traffic line and advice, in the order
    // they were added.
    void addListener(LinkListener& listener) { listeners_.push_back(&listener); }
    void removeListener(LinkListener& listener) { std::erase(listeners_, &listener); }

    void SendCommand(const QByteArray& frame);
    // The frames go out back to back in an answer window no other sender joins: a frame sent
    // while it is open waits, and goes once it has closed and been read, in a window of its
    // own. The rig server's clients send this way, so their exchanges and the windows' never
    // interleave. False when nothing was sent (no line, or a window is open).
    bool sendAlone(const std::vector<QByteArray>& frames);
    // A frame written as the port is about to close: no answer window, nothing read back.
    void writeLast(const QByteArray& frame);
    // The answer window closes: what came is shown, read, and the start-up chain goes on.
    void closeAnswerWindow();
    // Between operations: what the radio sent on its own is shown and read.
    void pollBroadcasts();
    void showAnswerTraffic(const QByteArray& data);
    void showBroadcastTraffic(const QByteArray& data);
    void askNextStartupQuestion(const QByteArray& data);
    [[noreturn]] void FatalTrap(int number);

    // Start-up arms the answer timer with no send, to begin the query chain.
    void armAnswerTimer();
    void disarmAnswerTimer();

    Timer& broadcastPollTimer() { return *pollTimer_; }
    Timer& answerTimer() { return *answerTimer_; }

private:
    // False, after closing the port and telling the operator, when the device went away.
    bool lineStillThere();
    void tryReopen();
    void handleBetweenOperations(const QByteArray& data);
    void showTraffic(const QString& line);
    void notify();
    // Bytes arrived while the answer window is open: it closes at once when they complete
    // the answers to everything sent in it.
    void answerArrived();
    // Names the radio setting at fault, once a cause, from what the closed window received.
    void adviseOnLine(const Exchange& closed);

    ProgramState& state_;
    SerialPort& port_;
    std::uint8_t radio_;
    Dialogs& dialogs_;
    ProgramExit& exit_;
    std::unique_ptr<Timer> pollTimer_;
    std::unique_ptr<Timer> answerTimer_;
    std::vector<LinkListener*> listeners_;
    StartupQueries* queries_ = nullptr;
    std::function<void()> displayChanged_;
    std::function<bool()> reopen_;
    std::function<void(const Exchange&)> exchangeClosed_;
    std::function<void(const StartupVerdict&)> startupJudge_;
    std::vector<std::function<void(const Exchange&)>> exchangeListeners_;
    std::vector<std::function<void(const QByteArray&)>> betweenListeners_;
    std::vector<LineFinding> chainFindings_;  // for the judge
    bool portLost_ = false;
    Exchange exchange_;  // the one whose answer window is open; `received` so far
    bool alone_ = false;  // the open window is sendAlone()'s: other frames wait in `waiting_`
    std::vector<QByteArray> waiting_;
    // The channel of the memory read sent last, in this window or before: a blank channel's
    // answer is shown as that channel's.
    std::optional<int> channelAsked_;
    int bytesInWindow_ = 0;
    ConnectionDoctor doctor_;
};

}  // namespace talvex
