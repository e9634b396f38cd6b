#pragma once

// Reads what the line shows after each answer window and names the radio setting that keeps
// the link from working: echo back off, another baud rate, another CI-V address, commands
// echoed but never answered, or nothing at all. It only looks; what the decoders do with the
// bytes is not its business. A cause is named only on evidence: on a shared CI-V bus other
// devices broadcast too, so only an answer to the controller tells the radio's address.

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

// One answer window: `received` is everything read when it closed, `sentSomething` whether a
// frame went out in it, `lineError` whether the port reported framing or parity errors, `radio`
// the address the program talks to. Nothing when the bytes show no fault, or too little to tell.
std::optional<LineFinding> DiagnoseWindow(const QByteArray& received, bool sentSomething, bool lineError,
                                          std::uint8_t radio);

// The whole start-up query chain, everything it received joined: nothing at all (Silent), or
// the echoes of the program's own frames with no answer among them, only broadcasts at most
// (Unanswered: a switched-off radio behind an interface that echoes, or another address).
std::optional<LineFinding> DiagnoseChain(const QByteArray& received, std::uint8_t radio);

// The words for the operator: the radio's menu path and the value to set. `commBaud` is the
// settings text of TALVEX.INI ("19200,N,8,1"), `commPort` its port ("COM1"), `radio` the address
// the program talks to.
QString AdviceText(const LineFinding& finding, const QString& commBaud, const QString& commPort, std::uint8_t radio);
inline const QString kAdviceTitle = QStringLiteral("Connection");

// Remembers the current window and the start-up chain, and lets each cause through once a run.
class ConnectionDoctor {
public:
    explicit ConnectionDoctor(std::uint8_t radio) : radio_(radio) {}
    void sent() { sentInWindow_ = true; }
    // The answer window closed. `chainStep` is the start-up step about to be taken (0 when no
    // chain runs); at step 5 the chain ends and what it received as a whole is judged too.
    std::optional<LineFinding> windowClosed(const QByteArray& received, bool lineError, int chainStep);

private:
    std::optional<LineFinding> firstTime(std::optional<LineFinding> finding);

    std::uint8_t radio_;
    bool sentInWindow_ = false;
    QByteArray chainReceived_;
    std::set<LineCause> told_;
};

}  // namespace talvex
