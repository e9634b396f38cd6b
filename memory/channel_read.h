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
// up to ten reads. Three requests in a row without one whole answer end the reading: the radio
// is silent when nothing but echoes came, else the line garbles its answers; reads that never
// agree are the line's too. A line is only ever made from the radio's answers for that very
// channel.
class ChannelRead {
public:
    enum class Verdict { Read, AskAgain, Silent, Garbled };

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
    // With Silent or Garbled: why the channel could not be read, "the radio did not answer for
    // channel 7", or the line's garble with what to check.
    QString whyNot() const;
    void reset();

private:
    OperationContext& c_;
    int channel_ = 0;
    int reads_ = 0;      // reads of the current channel sent so far
    int requests_ = 0;   // requests for it (a request sends one or two reads)
    int unanswered_ = 0; // requests in a row that brought no whole answer
    bool damagedInRow_ = false;  // bytes came for one of them, broken: garble, not silence
    bool again_ = false;
    std::vector<QByteArray> answers_;  // whole answers for it so far
    QString line_;
    std::optional<MemoryRecord> record_;
};

// What a reading that could not go on (Silent or Garbled) stops an operation as.
inline StopKind StopKindOf(ChannelRead::Verdict verdict)
{
    return verdict == ChannelRead::Verdict::Garbled ? StopKind::LineGarbles : StopKind::SilentRadio;
}

}  // namespace talvex
