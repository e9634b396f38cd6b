#pragma once

#include "memory/backup.h"
#include "memory/channel_checks.h"

namespace talvex {

// Update Rig: the channels of a data file into the radio, one line a step. A line either
// programs its channel or, when its frequency field is empty, clears it; a line that cannot be
// encoded is skipped and named, never sent half right. Every channel is checked against what
// the radio answered: a programmed one by its read-back, a cleared one by the radio's OK.
// The channels the file names are saved first.
class UpdateRig final : public BackedUpStepper {
public:
    UpdateRig(OperationContext& context, ChannelBackup& backup);
    // From the current data file, after the operator's Yes.
    void start();
    // From a named file in the working directory, after the operator's Yes.
    void startWith(const QString& fileName);
    void reset() override;

private:
    enum class Sent { Nothing, Write, Clear };

    void changeStep() override;
    void checkChange(const Exchange& exchange) override;
    void begin();
    void end();
    Sent sendLine(const QString& line);

    Sent sent_ = Sent::Nothing;
    int channel_ = 0;  // the channel the last step wrote or cleared
    ChannelLedger ledger_;
};

}  // namespace talvex
