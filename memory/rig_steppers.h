#pragma once

#include "memory/backup.h"
#include "memory/channel_checks.h"
#include "memory/channel_clear.h"
#include "memory/channel_range.h"
#include "memory/stepper.h"
#include "platform/timer.h"

namespace talvex {

// View Rig: channels 1-99 read one a step and shown. An answer is shown only when it is the
// read of the channel asked for; a channel that got none is named at the end.
class ViewRig final : public Stepper {
public:
    explicit ViewRig(OperationContext& context);
    std::optional<Refused> start();
    void reset() override;
    const ChannelReport* report() const override { return &ledger_.report(); }

private:
    void step() override;
    void check(const Exchange& exchange) override;

    ChannelLedger ledger_;
};

// Blank Rig: a typed range of channels cleared, one a step, each checked by the radio's OK.
// The range is saved first.
class BlankRig final : public BackedUpStepper {
public:
    BlankRig(OperationContext& context, ChannelBackup& backup);
    // With the operator's Yes and the range.
    std::optional<Refused> start(const MemoryRequest& request);
    // Paused (the operator is asked whether to stop): ticks take no step meanwhile.
    void pause(bool paused);
    // Stopped while paused: a backup still being saved is thrown away.
    void abandon();
    void reset() override;
    const ChannelReport* report() const override { return &ledger_.report(); }
    void countInFlight() override;

private:
    void changeStep() override;
    void checkChange(const Exchange& exchange) override;

    enum class Stage { Select, Clear };
    Stage stage_ = Stage::Select;  // what the next step of the channel in hand sends
    bool awaitingCheck_ = false;   // a step of it was sent and its answer is still to be checked
    ChannelClear clear_;
    ChannelLedger ledger_;
};

// Scan Rig: the channels of a typed range selected one after another, endlessly, at the
// chosen speed, each read back and shown.
class ScanRig final : public Stepper {
public:
    ScanRig(OperationContext& context, Timer& timer);
    // With the operator's Yes, the range and the speed.
    std::optional<Refused> start(const MemoryRequest& request);
    // Paused (the operator is asked whether to stop) or going on; `stopping`: the scan ends at
    // its next tick.
    void pause(bool paused, bool stopping = false);

private:
    void step() override;

    Timer& timer_;
};

}  // namespace talvex
