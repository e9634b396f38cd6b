#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "platform/serial_port.h"
#include "platform/timer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace talvex::testing {

// An in-memory line: tests queue what the radio "sends" and read back what the program wrote.
class ScriptedSerialPort final : public SerialPort {
public:
    std::optional<PortError> open(int portNumber, const QString& settings) override;
    bool isOpen() const override { return open_; }
    QByteArray readAll() override;
    void write(const QByteArray& bytes) override;
    void close() override { open_ = false; }
    int baudRate() const override { return open_ ? baud_ : 0; }
    bool lost() const override { return false; }

    // Queued for the next read (what the radio has sent by then).
    void receive(const QByteArray& bytes) { incoming_ += bytes; }
    // Everything the program tried to write since the last call, whether the port was open
    // or not (a real closed port would have dropped it).
    QByteArray takeWritten();
    // Every write attempt, one entry each, since the last take.
    std::vector<QByteArray> takeWrites() { return std::exchange(writes_, {}); }

    std::optional<PortError> nextOpenError;  // the next open fails with this
    int openCount = 0;
    int readCount = 0;
    int writesWhileClosed = 0;  // never taken: a write to a closed port is always a fault
    int lastPortNumber = -1;
    QString lastSettings;

private:
    bool open_ = false;
    int baud_ = 19200;
    QByteArray incoming_;
    std::vector<QByteArray> writes_;
};

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

struct ShownInput {
    QString prompt;
    QString title;
    QString defaultText;
};

// Answers questions from a script and records every one shown, so tests can assert texts.
// Unscripted inputs are cancelled and unscripted Yes/No questions answered No.
class ScriptedDialogs final : public Dialogs {
public:
    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew) override;

    // Nothing scripts a Cancel.
    void answerInput(std::optional<QString> answer) { inputs_.push_back(std::move(answer)); }
    void answerMessage(MessageAnswer answer) { answers_.push_back(answer); }
    void answerFile(std::optional<QString> file) { files_.push_back(std::move(file)); }
    // Called while a dialog is shown (timers keep ticking behind a real one).
    std::function<void()> whileShown;

    std::vector<ShownMessage> messages;
    std::vector<ShownInput> inputs;
    std::vector<QStringList> fileFilters;
    std::vector<bool> fileMayBeNew;
    bool scriptUsedUp() const { return inputs_.empty() && answers_.empty() && files_.empty(); }

private:
    std::deque<std::optional<QString>> inputs_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QString>> files_;
};

// A timer that only ticks when a test says so.
class ManualTimer final : public Timer {
public:
    ManualTimer(int intervalMs, bool enabled) : interval_(intervalMs), enabled_(enabled) {}
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    void onTick(Tick tick) override { tick_ = std::move(tick); }

    // One tick, as the window system would deliver it: only while enabled.
    void fire();

private:
    int interval_;
    bool enabled_;
    Tick tick_;
};

class ManualTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int intervalMs, bool enabled) override;
    // In order of creation.
    std::vector<ManualTimer*> timers;
};

// A clock that shows what the test sets, and moves only when the test moves it.
class ScriptedClock final : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 7), QTime(14, 25, 1)};
};

// Thrown where the program would end, so a test can see that it did and with what code.
struct ProgramEnded {
    int code;
};

class ThrowingExit final : public ProgramExit {
protected:
    void endProgram(int code) override { throw ProgramEnded{code}; }
};

}  // namespace talvex::testing
