#include "serial_link.h"

#include "answer_reader.h"
#include "answer_frames.h"
#include "answer_window.h"
#include "bcd.h"
#include "bytes.h"
#include "format.h"
#include "frames.h"
#include "traffic_log.h"

#include "platform/error_text.h"
#include "platform/serial_settings.h"

#include <utility>

namespace talvex {

namespace {

QString TrapDescription(int number)
{
    switch (number) {
    case kTrapBcdEmpty: return QStringLiteral("Answer from the radio too short");
    case kTrapDecimalEmpty: return QStringLiteral("No number entered");
    case kTrapDecimalRange: return QStringLiteral("Number out of range");
    default: return QStringLiteral("Unexpected condition");
    }
}

}  // namespace

SerialLink::SerialLink(ProgramState& state, SerialPort& port, Dialogs& dialogs, ProgramExit& exit,
                       TimerFactory& timers, std::uint8_t radio)
    : state_(state),
      port_(port),
      radio_(radio),
      dialogs_(dialogs),
      exit_(exit),
      pollTimer_(timers.create(kBroadcastPollMs, true)),
      answerTimer_(timers.create(kAnswerWindowMs, false)),
      doctor_(radio)
{
    pollTimer_->onTick([this] { pollBroadcasts(); });
    answerTimer_->onTick([this] { closeAnswerWindow(); });
    port_.onArrival([this] { answerArrived(); });
}

// The window's 250 ms (and the line time) is the deadline for a radio that answers less; a
// radio that has answered everything is not waited for: the same bytes are read, sooner.
void SerialLink::answerArrived()
{
    if (!answerTimer_->isEnabled() || !port_.isOpen())
        return;
    exchange_.received += port_.readAll();
    if (AnswersComplete(exchange_.sent, exchange_.received, radio_))
        closeAnswerWindow();
}

void SerialLink::writeLast(const QByteArray& frame)
{
    if (port_.isOpen())
        port_.write(frame);
}

void SerialLink::SendCommand(const QByteArray& frame)
{
    if (state_.PortReady != 1 || !lineStillThere())
        return;
    if (alone_ && answerTimer_->isEnabled()) {
        waiting_.push_back(frame);
        return;
    }
    // Whatever came in since the last poll is not part of this answer: handle it now as the
    // broadcast poll would, so a stale broadcast never stands before the echo.
    if (!answerTimer_->isEnabled())
        handleBetweenOperations(port_.readAll());

    port_.write(frame);
    exchange_.sent.push_back(frame);
    if (const auto channel = ChannelOfRead(frame))
        channelAsked_ = channel;
    qCDebug(civTraffic).noquote() << "out" << frame.toHex(' ').toUpper();
    // The window is counted from when the last byte of this exchange and of the answers it
    // may bring has crossed the line, so a long write or two channel reads at a slow rate are
    // still answered inside it. It grows only with the frames of the exchange it belongs to;
    // once it closes the next exchange starts from nothing.
    bytesInWindow_ += static_cast<int>(frame.size()) + LongestAnswerBytes(frame);
    answerTimer_->setInterval(kAnswerWindowMs + LineTimeMs(bytesInWindow_, port_.baudRate()));
    answerTimer_->setEnabled(true);
}

bool SerialLink::sendAlone(const std::vector<QByteArray>& frames)
{
    if (answerTimer_->isEnabled())
        return false;
    for (const QByteArray& frame : frames)
        SendCommand(frame);
    alone_ = answerTimer_->isEnabled();
    return alone_;
}

void SerialLink::startQueryChain()
{
    state_.StartupQueryStep = 1;
    armAnswerTimer();
}

void SerialLink::armAnswerTimer()
{
    answerTimer_->setInterval(kAnswerWindowMs + LineTimeMs(bytesInWindow_, port_.baudRate()));
    answerTimer_->setEnabled(true);
}

void SerialLink::disarmAnswerTimer()
{
    answerTimer_->setEnabled(false);
    bytesInWindow_ = 0;
    exchange_ = {};
    alone_ = false;
    waiting_.clear();  // a line that went away takes them with it
}

void SerialLink::closeAnswerWindow()
{
    if (!port_.isOpen())
        return;
    Exchange closed = std::move(exchange_);
    const std::vector<QByteArray> waited = std::exchange(waiting_, {});
    disarmAnswerTimer();
    answerTimer_->setInterval(kAnswerWindowMs);
    const QByteArray data = closed.received + port_.readAll();
    if (!lineStillThere())
        return;
    qCDebug(civTraffic).noquote() << "answer" << data.toHex(' ').toUpper();
    showAnswerTraffic(data);
    // Only the echoes and the radio's own answers are read or count as the start-up's answer;
    // the status line and the connection doctor see everything that came.
    const QByteArray answers = WithoutRepeatedEchoes(AnswerFramesOf(data, closed.sent, radio_), closed.sent);
    if (const auto reading = ReadAnswer(answers, radio_, channelAsked_)) {
        for (LinkListener* listener : listeners_)
            listener->answerRead(*reading);
    }
    closed.received = data;
    closed.radio = radio_;
    // What waited for a window of its own goes now, before anyone told of this one can send:
    // a client's next request then waits behind it.
    for (const QByteArray& frame : waited)
        SendCommand(frame);
    if (exchangeClosed_)
        exchangeClosed_(closed);
    for (const auto& listener : exchangeListeners_)
        listener(closed);
    notify();
    adviseOnLine(closed);
    if (state_.StartupQueryStep != 0)
        askNextStartupQuestion(answers);
}

void SerialLink::pollBroadcasts()
{
    if (portLost_) {
        tryReopen();
        return;
    }
    if (answerTimer_->isEnabled())
        return;
    if (!port_.isOpen())
        return;
    const QByteArray data = port_.readAll();
    if (lineStillThere())
        handleBetweenOperations(data);
}

bool SerialLink::lineStillThere()
{
    if (!port_.lost())
        return true;
    port_.close();
    state_.PortReady = 0;
    disarmAnswerTimer();
    portLost_ = true;
    showTraffic(QStringLiteral("STATUS = COMM PORT LOST"));
    notify();
    for (LinkListener* listener : listeners_)
        listener->lineLost(state_.ConfigCommPort);
    return false;
}

// Once a second while the line is gone, quietly: the radio's USB port comes back by itself
// when the radio is switched on again.
void SerialLink::tryReopen()
{
    if (!reopen_ || !reopen_())
        return;
    portLost_ = false;
    state_.PortReady = 1;
    port_.readAll();  // nothing from before the reopening may reach the answer reader
    showTraffic(QStringLiteral("STATUS = COMM PORT REOPENED"));
    notify();
}

void SerialLink::handleBetweenOperations(const QByteArray& data)
{
    if (data.isEmpty())
        return;
    qCDebug(civTraffic).noquote() << "between" << data.toHex(' ').toUpper();
    for (const auto& listener : betweenListeners_)
        listener(data);
    if (!state_.AutoStatus)
        return;
    showBroadcastTraffic(data);
    if (At(data, 1) == kPreamble && data.size() >= 3 && At(data, 3) == kBroadcastAddress)
        for (const BroadcastReading& reading : ReadBroadcasts(data, radio_)) {
            for (LinkListener* listener : listeners_)
                listener->broadcastRead(reading);
        }
    notify();
}

void SerialLink::showAnswerTraffic(const QByteArray& data)
{
    if (data.isEmpty())
        showTraffic(QStringLiteral("STATUS = RADIO NOT READY"));
    else
        showTraffic(QStringLiteral("STATUS = ") + BytesToText(data, state_.HexDisplay));
}

void SerialLink::showBroadcastTraffic(const QByteArray& data)
{
    showTraffic(QStringLiteral("AUTO = ") + BytesToText(data, state_.HexDisplay));
}

void SerialLink::showTraffic(const QString& line)
{
    for (LinkListener* listener : listeners_)
        listener->trafficShown(line);
}

void SerialLink::askNextStartupQuestion(const QByteArray& data)
{
    const int step = state_.StartupQueryStep;
    if (step == 5) {
        state_.StartupQueryStep = 0;
        const bool answered = data.size() >= kMinimumCallSignAnswer;
        if (startupJudge_)
            startupJudge_({answered, std::exchange(chainFindings_, {})});
        else if (!answered)
            FatalTrap(99);
        return;
    }
    if (step < 1 || step > 5 || !queries_)
        return;
    state_.StartupQueryStep = step + 1;
    switch (step) {
    case 1: queries_->queryFrequency(); break;
    case 2: queries_->queryMode(); break;
    case 3: queries_->queryId(); break;
    case 4: queries_->queryMyCall(); break;
    default: break;
    }
    notify();
}

void SerialLink::FatalTrap(int number)
{
    if (number == 99) {
        dialogs_.critical(QStringLiteral("UNEXPECTED RADIO CONDITION"),
                          QStringLiteral("RADIO NOT READY or COMM PORT ERROR! ... ")
                              + QStringLiteral("Check RADIO and/or Edit TALVEX.INI ... ")
                              + QStringLiteral("then Restart Program!"));
    } else {
        dialogs_.critical(QStringLiteral("Unexpected Trap Condition"),
                          ErrorCodeText(number, {TrapDescription(number)}));
    }
    exit_.end(1);
}

// During a memory operation a message box would stall its timers: the faces keep the advice for
// as long as the operation runs (the Memory window on its message line, the engine for the end
// report). Between operations the windows show it in a box.
void SerialLink::adviseOnLine(const Exchange& closed)
{
    const LineWindow window{closed.sent, closed.received, port_.takeLineError(), port_.baudRate()};
    const auto finding = doctor_.windowClosed(window, state_.StartupQueryStep);
    if (!finding)
        return;
    if (startupJudge_ && state_.StartupQueryStep != 0) {
        chainFindings_.push_back(*finding);
        return;
    }
    const QString text = AdviceText(*finding, state_.ConfigCommBaud, state_.ConfigCommPort, radio_);
    if (state_.anyMemoryOperationRunning()) {
        for (LinkListener* listener : listeners_)
            listener->adviceGiven(text);
        notify();
    } else {
        for (LinkListener* listener : listeners_)
            listener->adviceBetweenOperations(text);
    }
}

void SerialLink::notify()
{
    if (displayChanged_)
        displayChanged_();
}

}  // namespace talvex
