#pragma once

#include "memory/channel_read.h"
#include "memory/stepper.h"
#include "platform/text_file.h"

namespace talvex {

// Create File: the radio's channels 1-99 into the current data file, one channel a step.
// The lines go into a temporary file beside the data file, which replaces it only once the
// end line is written: Stop, a silent radio or a crash leave the old file exactly as it was.
// A channel's line is written only from the radio's answer for that very channel.
class CreateFile final : public Stepper {
public:
    explicit CreateFile(OperationContext& context);
    std::optional<Refused> start(const MemoryRequest& request);
    // Channel lines carry the channel's whole record after the six zones, as backups do, so
    // that a line moved to another channel in an editor takes its tones, data mode and split
    // with it. Off: the six zones only.
    void setWithRecords(bool withRecords) { withRecords_ = withRecords; }
    // The run ends without its end line: the new file is thrown away, the old one kept.
    void discard();
    void reset() override;

private:
    void step() override;
    void check(const Exchange& exchange) override;
    void request(int channel);
    void finish();

    ReplacingTextFile newFile_;
    ChannelRead read_;
    bool withRecords_ = true;
};

}  // namespace talvex
