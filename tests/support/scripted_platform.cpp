#include "scripted_platform.h"

#include "platform/serial_settings.h"

namespace talvex::testing {

namespace {

// The next scripted answer, or `none` when the script has no more.
template <typename Answer>
Answer Next(std::deque<Answer>& script, Answer none)
{
    if (script.empty())
        return none;
    const Answer answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

std::optional<PortError> ScriptedSerialPort::open(int portNumber, const QString& settings)
{
    ++openCount;
    lastPortNumber = portNumber;
    lastSettings = settings;
    if (nextOpenError) {
        open_ = false;
        return std::exchange(nextOpenError, std::nullopt);
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
    return open_ ? std::exchange(incoming_, {}) : QByteArray();
}

void ScriptedSerialPort::write(const QByteArray& bytes)
{
    // Recorded open or closed: a test that says nothing reached a closed line must see any
    // write the program attempted there.
    if (!open_)
        ++writesWhileClosed;
    writes_.push_back(bytes);
}

QByteArray ScriptedSerialPort::takeWritten()
{
    QByteArray taken;
    for (const QByteArray& bytes : takeWrites())
        taken += bytes;
    return taken;
}

MessageAnswer ScriptedDialogs::message(const QString& title, const QString& text, MessageIcon icon,
                                       MessageButtons buttons)
{
    messages.push_back({title, text, icon, buttons});
    if (whileShown)
        whileShown();
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : Next(answers_, MessageAnswer::No);
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString& defaultText)
{
    inputs.push_back({prompt, title, defaultText});
    if (whileShown)
        whileShown();
    return Next(inputs_, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::openFile(const QStringList& filters, int /*initialFilter*/, bool mayBeNew)
{
    fileFilters.push_back(filters);
    fileMayBeNew.push_back(mayBeNew);
    return Next(files_, std::optional<QString>());
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
