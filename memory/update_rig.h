#pragma once

#include "memory/backup.h"
#include "memory/channel_checks.h"
#include "memory/channel_clear.h"
#include "memory/update_plan.h"

namespace talvex {

// Update Rig: the channels of a data file into the radio. The file is read once, up to its END
// line, and every channel 1-99 it names is read from the radio first (and saved, when backups
// are made). A line then either programs its channel or, when its frequency field is empty,
// clears it; what the radio already holds is left alone and takes no step. A programmed channel
// gets the record the radio held with only the line's fields put in, so settings the file
// cannot show (data mode, tones, split, select group, 10 Hz digits) stay as they were. A line
// that cannot be encoded is skipped and named, never sent half right. Every channel written is
// checked: a programmed one by its read-back of all 41 bytes, a cleared one by the radio's OK.
class UpdateRig final : public BackedUpStepper {
public:
    UpdateRig(OperationContext& context, ChannelBackup& backup);
    // From the current data file, or the request's file of the working directory, with the
    // operator's Yes (and the answer to writing the other lines when some cannot be written).
    std::optional<Refused> start(const MemoryRequest& request);
    void reset() override;
    void countInFlight() override;
    const ChannelReport* report() const override { return &ledger_.report(); }
    // The channel the last step wrote or cleared, or is reading back.
    int channel() const { return channel_; }

private:
    enum class Sent { Nothing, Write, ReadBack, Select, Clear };

    void changeStep() override;
    void checkChange(const Exchange& exchange) override;
    std::optional<Refused> begin(const MemoryRequest& request);
    void end();
    // The question of going on without the lines the radio cannot take, unless answered Yes.
    std::optional<Refused> refuseSkips(const QStringList& skipped, std::optional<bool> writeTheOthers) const;
    Sent sendLine(const PlannedLine& planned, qsizetype lineNumber);
    Sent writeChannel(const LinePlan& plan);
    Sent clearChannel(int channel);
    // The written channel read once more: its read-back was missing, late or differed.
    void readBackAgain();

    QStringList lines_;     // the data file as it was when the run began, up to END
    std::vector<PlannedLine> plans_;  // lines_ planned, once every channel was read
    qsizetype next_ = 0;    // lines_[next_] is taken next
    Sent sent_ = Sent::Nothing;
    int channel_ = 0;  // the channel the last step wrote or cleared
    QByteArray written_;  // the record it wrote
    int readBacks_ = 0;   // read-backs of it asked for again
    bool late_ = false;   // the radio heard one of its reads and did not answer in time
    bool clearConfirmed_ = false;  // the select of channel_ was confirmed: its clear goes next
    ChannelClear clear_;
    ChannelLedger ledger_;
};

}  // namespace talvex
