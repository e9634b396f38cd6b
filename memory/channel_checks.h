#pragma once

// What the radio's answers say about one channel an operation wrote, cleared or read, and the
// report an operation gives at its end. Pure: exchanges in, verdicts and texts out.

#include "link/serial_link.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex {

// The radio sent nothing that answers the channel's request.
inline const QString kNoAnswer = QStringLiteral("no answer");

// Why a programmed channel did not verify, or nothing when the radio took the write and its
// read-back holds what was written (frequency, mode, filter, label).
std::optional<QString> WriteNotVerified(const Exchange& exchange, const QByteArray& channelField);

// Why a clear did not verify, or nothing when the radio answered OK to each of the
// `frames` frames of the clear and refused none.
std::optional<QString> ClearNotVerified(const Exchange& exchange, int frames);

// Channels checked in one run: how many verified, and what went wrong with the others.
class ChannelReport {
public:
    void verified() { ++verified_; }
    void failed(int channel, const QString& why);
    bool allVerified() const { return failures_.isEmpty(); }
    // "Update Rig: 97 of 99 channels verified"
    QString summary(const QString& operation) const;
    // One line a failed channel: "Channel 30: no answer".
    QString details() const { return failures_.join(u'\n'); }

private:
    int verified_ = 0;
    QStringList failures_;
};

// A radio that stays silent for this many channels in a row is taken to be gone.
inline constexpr int kSilentChannelsToStop = 3;

// The channels of one run as they are checked: the report, and the count of channels in a
// row that got no answer, which tells a radio that has gone away.
class ChannelLedger {
public:
    // Records a channel's verdict (nothing: verified). True when it makes the silent run that
    // must stop the operation; the channel is then not recorded.
    bool record(int channel, const std::optional<QString>& why);
    int firstSilent() const { return firstSilent_; }
    const ChannelReport& report() const { return report_; }

private:
    ChannelReport report_;
    int silentRun_ = 0;
    int firstSilent_ = 0;
};

}  // namespace talvex
