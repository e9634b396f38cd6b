#pragma once

#include "link/link_listener.h"
#include "state/program_state.h"

namespace talvex {

// The Radio Operations window's display fields written from what the link reads: the texts the
// window has always shown, down to a value it has no text for leaving its field as it was.
class RadioFieldTexts final : public LinkListener {
public:
    explicit RadioFieldTexts(RadioFields& fields) : fields_(fields) {}

    void answerRead(const RadioReading& reading) override;
    void broadcastRead(const BroadcastReading& reading) override;
    void trafficShown(const QString& line) override { fields_.Text7 = line; }
    void adviceGiven(const QString&) override {}

    // The level words of the S-meter's two bytes ("S9 + 10db").
    static QString SMeterLevel(int high, int low);

private:
    void show(const RigId& id);
    void show(const ClockTime& time);
    void show(const CallSign& call);
    void show(const TransmitState& state);
    void show(const SquelchState& squelch);
    void show(const SMeterReading& meter);
    void show(const FrequencyReading& frequency);
    void show(const ModeReading& mode);
    void show(const BandEdges& edges);
    void show(const NothingHeld&);
    void show(const ChannelShown& shown);
    void show(const BlankChannel&);

    void showMode(int code);
    void showFilter(int code);
    void blankAll();

    RadioFields& fields_;
    // Band-edge questions in a row show the lower edge, the upper, the lower again, ...
    bool upperEdgeNext_ = false;
};

}  // namespace talvex
