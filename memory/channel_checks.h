#pragma once

// What the radio's answers say about one channel an operation wrote, cleared or read, and the
// report an operation gives at its end. Pure: exchanges in, verdicts and texts out.

#include "link/serial_link.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace talvex {

// The radio sent nothing that answers the channel's request.
inline const QString kNoAnswer = QStringLiteral("no answer");

// A channel whose read the radio heard (its echo came back) but did not answer before the
// window's deadline. Counts as silence towards a radio that has gone away.
inline const QString kNotInTime = QStringLiteral("did not answer in time");

// A channel whose write or clear went out when the run was stopped, before its check came in.
inline const QString kStoppedBeforeCheck = QStringLiteral("sent, not verified: the run stopped before its check");

// What the radio sent in answer to this exchange: from the echo of its first frame on. Bytes
// before it (a late echo or answer to an earlier exchange) are never taken as this one's answer.
QByteArray OwnReceived(const Exchange& exchange);
// The radio echoed this exchange but sent no read answer of `channelField` in its window.
bool HeardButNotAnswered(const Exchange& exchange, const QByteArray& channelField);

// Why a programmed channel did not verify, or nothing when the radio took the write and its
// read-back holds all 41 bytes that were written.
std::optional<QString> WriteNotVerified(const Exchange& exchange, const QByteArray& channelField);
// The same for a read-back asked for again after the write's own was missing or differed.
std::optional<QString> ReadBackNotVerified(const Exchange& exchange, const QByteArray& writtenContents,
                                           const QByteArray& channelField);

// The channel the radio wrote instead of `channelField`'s, when the echo shows it read the write
// frame with another channel number (a bit turned over on the way in): that channel may now
// hold this one's settings. Nothing when every write echoed names `channelField`.
std::optional<int> ChannelWrittenInstead(const Exchange& exchange, const QByteArray& channelField);

// Why a clear did not verify, or nothing when the radio answered OK to each of the
// `frames` frames of the clear and refused none.
std::optional<QString> ClearNotVerified(const Exchange& exchange, int frames);

// One channel's verdict: nothing when it verified, else why not.
struct ChannelVerdict {
    int channel = 0;
    std::optional<QString> why;
};

// A line of a data file an operation left out, and why ("mode \"XYZ\" is no mode the radio has").
struct ChannelSkip {
    int line = 0;     // the file's line, from 1
    int channel = 0;  // the channel it names; 0 for a line naming none the radio has
    QString why;
    // "line 12 (channel 7): mode \"XYZ\" is no mode the radio has"
    QString text() const;
};

// Channels checked in one run: how many verified, which were left alone because the radio
// already held what the run would write, and what went wrong with the others.
class ChannelReport {
public:
    void verified() { ++verified_; }
    void failed(int channel, const QString& why);
    // A decision the operator must hear about on a channel that verified ("split kept").
    void note(int channel, const QString& what);
    // An operation that leaves alone what the radio already holds words its summary with what
    // it does and what it leaves ("written", "already as the file says"); one that does not
    // keeps the plain summary.
    void countUnchanged(QString changed, QString already)
    {
        changed_ = std::move(changed);
        already_ = std::move(already);
    }
    // Nothing sent: the radio already held it.
    void unchanged() { ++unchanged_; }
    // A line of the file left out before anything was sent, because the radio cannot take it.
    // Not a failed channel: the radio was never asked, and nothing it holds changed. The
    // operator hears of it in the summary's count and in the details.
    void skipped(int line, int channel, const QString& why) { skips_.push_back({line, channel, why}); }
    int skippedCount() const { return static_cast<int>(skips_.size()); }
    const std::vector<ChannelSkip>& skips() const { return skips_; }
    // A channel no step meant to change that the radio changed all the same (it took a garbled
    // write as one for this channel). Named with the failures; a verified write of the channel
    // later in the run puts it right and takes the name back.
    void overwritten(int channel, const QString& why);
    bool allVerified() const { return failures_.isEmpty() && overwritten_.empty(); }
    int verifiedCount() const { return verified_; }
    int unchangedCount() const { return unchanged_; }
    int failedCount() const { return static_cast<int>(failures_.size() + overwritten_.size()); }
    // Every channel's verdict in the order they were checked (a channel read back again after a
    // missing answer appears once, with its final verdict).
    const std::vector<ChannelVerdict>& verdicts() const { return verdicts_; }
    void addVerdict(int channel, const std::optional<QString>& why)
    {
        overwritten_.erase(channel);
        verdicts_.push_back({channel, why});
    }
    // Something to tell beyond the counts on a run that verified: notes, or lines skipped.
    bool hasNotes() const { return !notes_.isEmpty() || !skips_.empty(); }
    bool countsUnchanged() const { return !already_.isEmpty(); }
    // "Update Rig: 97 of 99 channels verified", or with unchanged channels
    // "Update Rig: 3 channels written and verified, 96 already as the file says", and
    // ", 2 lines skipped" after either when lines were left out.
    QString summary(const QString& operation) const;
    // One line a channel: failures first ("Channel 30: no answer"), then the lines skipped
    // ("Skipped line 12 (channel 7): ..."), then notes; at most
    // `kListedChannels` lines, then "... and N more".
    QString details() const;

    static constexpr int kListedChannels = 20;

private:
    int verified_ = 0;
    int unchanged_ = 0;
    QString changed_;
    QString already_;
    QStringList failures_;
    QStringList notes_;
    std::map<int, QString> overwritten_;  // channel -> its report line, not yet put right
    std::vector<ChannelVerdict> verdicts_;
    std::vector<ChannelSkip> skips_;
};

// A radio that stays silent for this many channels in a row is taken to be gone.
inline constexpr int kSilentChannelsToStop = 3;

// The channels of one run as they are checked: the report, and the count of channels in a
// row that got no answer, which tells a radio that has gone away.
class ChannelLedger {
public:
    // Records a channel's verdict (nothing: verified). True when it makes the silent run that
    // must stop the operation; the channel is recorded all the same, so that the report counts
    // every channel the run sent something to.
    bool record(int channel, const std::optional<QString>& why);
    int firstSilent() const { return firstSilent_; }
    const ChannelReport& report() const { return report_; }
    ChannelReport& report() { return report_; }

private:
    ChannelReport report_;
    int silentRun_ = 0;
    int firstSilent_ = 0;
};

}  // namespace talvex
