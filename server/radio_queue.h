#pragma once

// The one way the server's clients reach the radio: their requests wait here, in order, and
// each goes out alone, as one answer window of its own, once the line is free. The windows'
// controls and the memory operations send through the same link; a request waits for their
// exchanges to close, theirs wait for a request's window to close (the link holds them), and
// none is sent at all while a memory operation owns the radio (unless it is urgent: the
// release of a transmitter left keyed).

#include "link/serial_link.h"
#include "platform/timer.h"
#include "state/program_state.h"

#include <QByteArray>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace talvex::server {

struct RadioRequest {
    std::vector<QByteArray> frames;  // whole CI-V frames, sent back to back
    bool urgent = false;             // goes first, and even while a memory operation runs
    // The window the frames went out in once it closed, with what came back in it; nothing
    // when the request was not sent (no line, or a memory operation took the radio first, or
    // the window never closed).
    std::function<void(std::optional<Exchange>)> done;
    int client = 0;  // the client's id whose request it is; 0 for the server's own (a release)
};

class RadioQueue {
public:
    // How often waiting requests look for a free line, and how long a sent one may wait for
    // its window to close before it is given up (the line went away under it).
    static constexpr int kKickMs = 20;
    static constexpr int kGiveUpMs = 3000;

    RadioQueue(ProgramState& state, SerialLink& link, TimerFactory& timers);

    void submit(RadioRequest request);
    // The client went: its requests not yet sent are dropped unanswered. A key-down still
    // waiting must never go out after its client, and after the release that client's leaving
    // sends.
    void withdraw(int client);
    // Every window that closed, whoever sent it.
    void exchangeClosed(const Exchange& closed);

private:
    void dispatch();
    void kick();
    bool lineFree() const;

    ProgramState& state_;
    SerialLink& link_;
    std::unique_ptr<Timer> kick_;
    std::deque<RadioRequest> waiting_;
    std::optional<RadioRequest> inFlight_;
    int inFlightMs_ = 0;
};

}  // namespace talvex::server
