#pragma once

#include "link/memory_record.h"
#include "datafile/data_file_frame.h"
#include "memory/stepper.h"

#include <QStringList>

namespace talvex {

// One channel read from the radio and made into its data-file line. A CI-V answer carries no
// checksum, so one answer that looks whole may still hold a bit turned over on the line: a
// channel is taken only from two reads that agree byte for byte. The first request sends the
// read twice; a missing, damaged or disagreeing answer is asked for again, one read at a time,
// up to five reads; three requests without one whole answer mean the radio is not answering.
// A line is only ever made from the radio's answers for that very channel.
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
    // With Silent: why the channel could not be read, "the radio did not answer for channel 7".
    QString whyNot() const;
    void reset();

private:
    OperationContext& c_;
    int channel_ = 0;
    int reads_ = 0;      // reads of the current channel sent so far
    int requests_ = 0;   // requests for it (a request sends one or two reads)
    int unanswered_ = 0; // requests that brought no whole answer
    bool again_ = false;
    std::vector<QByteArray> answers_;  // whole answers for it so far
    QString line_;
    std::optional<MemoryRecord> record_;
};

}  // namespace talvex
