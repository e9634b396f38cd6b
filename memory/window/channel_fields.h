#pragma once

#include "link/link_listener.h"
#include "state/program_state.h"
#include "startup/opening_shown.h"

namespace talvex {

// The Memory Operations window's channel fields written from what the link reads: a channel
// shown by a select or a read, "Blank" for a channel that holds nothing, the greeting with the
// radio's call sign, the squelch, the line's traffic and advice given during an operation; and
// the data file the openings made current, their end and the operator's greeting.
class MemoryChannelFields final : public LinkListener, public OpeningShown {
public:
    explicit MemoryChannelFields(ProgramState& state) : state_(state) {}

    void answerRead(const RadioReading& reading) override;
    void broadcastRead(const BroadcastReading&) override {}
    void trafficShown(const QString& line) override { state_.memory.Text9 = line; }
    void adviceGiven(const QString& advice) override { state_.showMemoryMessage(advice); }

    void dataFileShown(const QString& path) override;
    void openingDone(OpeningDone opening) override;
    void operatorGreeted(const QString& callSign) override;

private:
    void showChannel(const ChannelReading& channel);
    void showBlank(std::optional<int> channelAsked);

    ProgramState& state_;
};

}  // namespace talvex
