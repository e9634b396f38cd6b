#include "memory/stepper.h"

namespace talvex {

void OperationContext::showEnd()
{
    tellEach([](MemoryListener& listener) { listener.endReached(); });
}

void OperationContext::tellOpening(const FileOpening& opening, bool failureToo)
{
    for (const FileNotice& notice : opening.said)
        tellEach([&notice](MemoryListener& listener) { listener.dataFileSaid(notice); });
    if (failureToo && opening.failure)
        tellEach([&opening](MemoryListener& listener) { listener.dataFileSaid(*opening.failure); });
}

void OperationContext::reportEnd(const QString& operation, const ChannelReport& report)
{
    if (report.countsUnchanged() || !report.allVerified())
    {
        const QString summary = report.summary(operation);
        tellEach([&summary](MemoryListener& listener) { listener.told(summary); });
    }
}

QString OperationContext::Found(const QString& operation, const ChannelReport& report)
{
    if (report.allVerified() && !report.hasNotes())
        return {};
    return report.summary(operation) + u'\n' + report.details();
}

Stepper::Stepper(OperationContext& context, bool& flag, QString name)
    : c_(context), running_(flag), name_(std::move(name))
{
}

void Stepper::tick()
{
    if (!running_)
        return;
    if (usesRadio() && c_.state.PortReady != 1) {
        halt(StopKind::PortLost, QStringLiteral("The serial port closed ... ") + name_ + QStringLiteral(" stopped."));
        return;
    }
    if (awaiting_) {
        if (c_.answers.awaited())
            return;
        awaiting_ = false;
        check(c_.answers.take());
        // The check may end the operation, or ask the radio once more and wait for that.
        if (!running_ || awaiting_)
            return;
    }
    step();
}

void Stepper::expectAnswer()
{
    awaiting_ = true;
    c_.answers.expect();
}

}  // namespace talvex
