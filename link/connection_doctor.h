#pragma once

// Reads what the line shows after each answer window and names the radio setting that keeps
// the link from working: echo back off, another baud rate, another CI-V address, commands
// echoed but never answered, or nothing at all. It only looks; what the answer reader does with the
// bytes is not its business. A cause is named only on evidence the bytes give, and only once
// two windows in a row give it: one window alone may be a line's noise (a turned-over bit that
// hides an echo, changes an answer's address or breaks every frame of the window), which the
// next window does not repeat, where a radio set wrong shows the same in every window. On a
// shared CI-V bus other devices broadcast too, so only an answer to the controller tells the
// radio's address.

#include "line_evidence.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <set>

namespace talvex {

enum class LineCause { EchoOff, BaudRate, Address, Unanswered, Silent };

struct LineFinding {
    LineCause cause;
    std::optional<std::uint8_t> address;  // with Address: the address the radio answered from

    bool operator==(const LineFinding&) const = default;
};

// The whole start-up query chain, everything it received joined: nothing at all (Silent), or
// the echoes of the program's own frames with no answer among them, only broadcasts at most
// (Unanswered: a switched-off radio behind an interface that echoes, or another address).
// `radio` is the address the program talks to.
std::optional<LineFinding> DiagnoseChain(const QByteArray& received, std::uint8_t radio);

// The words for the operator: the radio's menu path and the value to set. `commBaud` is the
// settings text of TALVEX.INI ("19200,N,8,1"), `commPort` its port ("COM1"), `radio` the address
// the program talks to.
QString AdviceText(const LineFinding& finding, const QString& commBaud, const QString& commPort, std::uint8_t radio);

// Windows in a row that must show the same cause before it is named.
inline constexpr int kWindowsThatTell = 2;

// Follows the windows as they close, and lets each cause through once a run.
class ConnectionDoctor {
public:
    explicit ConnectionDoctor(std::uint8_t radio) : radio_(radio) {}
    // The answer window closed. `chainStep` is the start-up step about to be taken (0 when no
    // chain runs); at step 5 the chain ends and what it received as a whole is judged too.
    std::optional<LineFinding> windowClosed(const LineWindow& window, int chainStep);

private:
    // A cause not told yet that two windows in a row have shown, counting this one.
    std::optional<LineFinding> judge(const WindowEvidence& evidence);
    std::optional<LineFinding> firstTime(std::optional<LineFinding> finding);

    std::uint8_t radio_;
    int unechoed_ = 0;     // windows in a row the radio answered and nothing written came back
    int elsewhere_ = 0;    // windows in a row `elsewhereFrom_` answered, the radio's address never
    std::uint8_t elsewhereFrom_ = 0;
    int otherRate_ = 0;    // windows in a row whose bytes were those of another rate
    QByteArray chainReceived_;
    std::set<LineCause> told_;
};

}  // namespace talvex
