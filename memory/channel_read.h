#pragma once

#include "link/memory_record.h"
#include "memory/data_file_frame.h"
#include "memory/stepper.h"

#include <QStringList>

namespace talvex {

// One channel read from the radio and made into its data-file line. A missing or damaged
// answer is asked for again, up to three reads in all; a line is only ever made from the
// radio's answer for that very channel.
class ChannelRead {
public:
    enum class Verdict { Read, AskAgain, Silent };

    explicit ChannelRead(OperationContext& context) : c_(context) {}
    // Sends the read of `channel`. The caller has marked the answer as expected.
    void send(int channel);
    // The read of the same channel once more, after AskAgain.
    void sendAgain() { send(channel_); }
    // The answer to the read sent last; with Read, line() holds the channel's line.
    Verdict check(const Exchange& exchange);
    bool wantsAgain() const { return again_; }
    int channel() const { return channel_; }
    const QString& line() const { return line_; }
    // With Read: the record the radio holds, nothing for a blank channel.
    const std::optional<MemoryRecord>& record() const { return record_; }
    void reset();

private:
    OperationContext& c_;
    int channel_ = 0;
    int tries_ = 0;  // reads of the current channel so far
    bool again_ = false;
    QString line_;
    std::optional<MemoryRecord> record_;
};

}  // namespace talvex
