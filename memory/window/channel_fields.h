#pragma once

#include "link/link_listener.h"
#include "memory/memory_listener.h"
#include "state/program_state.h"
#include "startup/opening_shown.h"

namespace talvex {

// The Memory Operations window's channel fields written from what the link reads: a channel
// shown by a select or a read, "Blank" for a channel that holds nothing, the greeting with the
// radio's call sign, the squelch, the line's traffic and advice given during an operation; and
// the data file the openings made current, their end and the operator's greeting; and where a
// memory operation stands, as the engine tells it.
class MemoryChannelFields final : public LinkListener, public OpeningShown, public MemoryListener {
public:
    explicit MemoryChannelFields(ProgramState& state) : state_(state) {}

    void answerRead(const RadioReading& reading) override;
    void broadcastRead(const BroadcastReading&) override {}
    void trafficShown(const QString& line) override { state_.memory.Text9 = line; }
    void adviceGiven(const QString& advice) override { state_.showMemoryMessage(advice); }

    void dataFileShown(const QString& path) override;
    void openingDone(OpeningDone opening) override;
    void operatorGreeted(const QString& callSign) override;

    void ended(const MemoryOutcome&) override {}
    void lineReached(const QString& line) override;
    void endLineReached() override { state_.memory.Text1 = QStringLiteral("END"); }
    void endReached() override;
    void channelWithdrawn() override;
    void told(const QString& line) override { state_.memory.Text7 = line; }
    void channelUnanswered(int channel) override;
    void channelClearing(int channel) override;
    void fileTaken(const QString& path) override { state_.memory.Text8 = path; }
    void backupProgress(const QString& what) override { state_.showBackupProgress(what); }
    // A line that stands (advice, a backup's progress) holds the message field over the step's.
    void stepSettled() override { state_.showMemoryMessage(state_.memory.Text7); }

private:
    void showChannel(const ChannelReading& channel);
    void showBlank(std::optional<int> channelAsked);

    ProgramState& state_;
};

}  // namespace talvex
