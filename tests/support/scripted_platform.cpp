#include "scripted_platform.h"

#include "platform/serial_settings.h"

namespace talvex::testing {

std::optional<PortError> ScriptedSerialPort::open(int portNumber, const QString& settings)
{
    ++openCount;
    lastPortNumber = portNumber;
    lastSettings = settings;
    if (nextOpenError) {
        auto error = *nextOpenError;
        nextOpenError.reset();
        open_ = false;
        return error;
    }
    if (portNumber <= 0)
        return PortError{kErrorInvalidPortNumber, QStringLiteral("Invalid port number")};
    const auto parsed = ParseSerialSettings(settings);
    if (!parsed)
        return PortError{kErrorBadPortSettings, QStringLiteral("Invalid port settings")};
    baud_ = parsed->baudRate;
    open_ = true;
    return std::nullopt;
}

QByteArray ScriptedSerialPort::readAll()
{
    ++readCount;
    if (!open_)
        return {};
    QByteArray data = incoming_;
    incoming_.clear();
    return data;
}

void ScriptedSerialPort::write(const QByteArray& bytes)
{
    // Recorded open or closed: a test that says nothing reached a closed line must see any
    // write the program attempted there.
    if (!open_)
        ++writesWhileClosed;
    written_ += bytes;
    writes_.push_back(bytes);
}

QByteArray ScriptedSerialPort::takeWritten()
{
    QByteArray taken = written_;
    written_.clear();
    writes_.clear();
    return taken;
}

std::vector<QByteArray> ScriptedSerialPort::takeWrites()
{
    auto taken = std::move(writes_);
    writes_.clear();
    written_.clear();
    return taken;
}

MessageAnswer ScriptedDialogs::message(const QString& title, const QString& text, MessageIcon icon,
                                       MessageButtons buttons)
{
    messages.push_back({title, text, icon, buttons});
    if (whileShown)
        whileShown();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers_.empty())
        return MessageAnswer::No;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString& defaultText)
{
    inputs.push_back({prompt, title, defaultText});
    if (whileShown)
        whileShown();
    if (inputs_.empty())
        return std::nullopt;
    const Answer answer = inputs_.front();
    inputs_.pop_front();
    if (answer.cancelled)
        return std::nullopt;
    return answer.text;
}

std::optional<QString> ScriptedDialogs::openFile(const QStringList& filters, int /*initialFilter*/, bool mayBeNew)
{
    fileFilters.push_back(filters);
    fileMayBeNew.push_back(mayBeNew);
    if (files_.empty())
        return std::nullopt;
    const Answer file = files_.front();
    files_.pop_front();
    if (file.cancelled)
        return std::nullopt;
    return file.text;
}

void ManualTimer::fire()
{
    if (enabled_ && tick_)
        tick_();
}

std::unique_ptr<Timer> ManualTimerFactory::create(int intervalMs, bool enabled)
{
    auto timer = std::make_unique<ManualTimer>(intervalMs, enabled);
    timers.push_back(timer.get());
    return timer;
}

}  // namespace talvex::testing
