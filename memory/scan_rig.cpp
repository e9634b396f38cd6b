#include "memory/rig_steppers.h"

#include "link/format.h"
#include "link/radio_model.h"

namespace talvex {

ScanRig::ScanRig(OperationContext& context, Timer& timer)
    : Stepper(context, context.state.ScanningRig, QStringLiteral("Scan Rig")), timer_(timer)
{
}

std::optional<Refused> ScanRig::start(const MemoryRequest& request)
{
    ProgramState& s = c_.state;
    if (!request.confirmed)
        return refuse(RefusalReason::Unconfirmed, QStringLiteral("Are you sure?"), false);
    const auto& range = request.range;
    if (!range || !request.scanSpeed)
        return refuse(RefusalReason::NoRange, QString());
    QString speed = *request.scanSpeed;
    if (speed.isEmpty() || speed > QStringLiteral("9") || speed == u"0")
        speed = QStringLiteral("5");
    // Only a single digit sets the pace; anything else (" 5", "10") keeps the interval it had.
    if (speed.size() == 1 && speed[0] >= u'1' && speed[0] <= u'9') {
        s.ScanSpeed = speed[0].digitValue();
        timer_.setInterval(2100 - 200 * s.ScanSpeed);
    }
    reset();
    s.FirstChannel = range->first;
    s.LastChannel = range->last;
    s.ChannelCounter = s.FirstChannel;
    s.ScanStopRequest = false;
    s.ScanningRig = true;
    s.AutoStatus = false;
    expectAnswer();
    c_.radio.selectMemoryMode();
    return std::nullopt;
}

void ScanRig::pause(bool paused, bool stopping)
{
    c_.state.ScanningRig = !paused;
    if (stopping)
        c_.state.ScanStopRequest = true;
}

void ScanRig::step()
{
    ProgramState& s = c_.state;
    if (s.ScanStopRequest) {
        c_.showEnd();
        s.ChannelCounter = s.FirstChannel;
        s.ScanStopRequest = false;
        s.ScanningRig = false;
        s.AutoStatus = true;
        return;
    }
    const int channel = s.ChannelCounter++;
    if (s.ChannelCounter > s.LastChannel + 1 || s.ChannelCounter > kRadio.lastChannel + 1) {
        s.ChannelCounter = s.FirstChannel;
        s.ScanStopRequest = false;
        c_.tellEach([](MemoryListener& listener) { listener.told(QString()); });
        return;
    }
    expectAnswer();
    c_.radio.selectChannel(channel);
}

}  // namespace talvex
