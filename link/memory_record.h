#pragma once

// One memory channel as the radio holds it: the 41 bytes a memory read answers after 1A 00 and
// a memory write carries. Code that changes one field changes that field of the record it read;
// nothing here rebuilds a record from defaults except BlankChannelRecord, for a channel the
// radio holds nothing in.

#include "link/radio_model.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace talvex {

// Positions inside the 41 bytes, from 0: channel 0-1, select group 2, then two settings sets of
// 14 bytes (frequency 5, mode 1, filter 1, data mode and tone type 1, repeater tone 3, tone
// squelch 3) at 3 and 17 (the first is received, the second transmitted), then the name 31-40,
// as long as the radio's names.
namespace record {
inline constexpr int kSelect = 2;
inline constexpr int kFirstSet = 3;
inline constexpr int kSecondSet = 17;
inline constexpr int kSetSize = 14;
inline constexpr int kFrequency = 0;  // within a set
inline constexpr int kFrequencySize = 5;
inline constexpr int kMode = 5;
inline constexpr int kFilter = 6;
inline constexpr int kDataTone = 7;  // data mode in the high nibble, tone type in the low
inline constexpr int kRepeaterTone = 8;
inline constexpr int kSquelchTone = 11;
inline constexpr int kToneSize = 3;
inline constexpr int kName = 31;
inline constexpr int kNameSize = kRadio.labelLength;
inline constexpr int kSize = kName + kNameSize;
}  // namespace record

// The fields of a record that a data file's visible zones carry.
struct VisibleFields {
    QByteArray frequency;  // five bytes, 10 Hz and 1 Hz digits 00
    int mode = 0;
    int filter = 0;
    bool selected = false;
    QString label;  // ten characters
};

class MemoryRecord {
public:
    // Nothing unless `bytes` is exactly 41 bytes long.
    static std::optional<MemoryRecord> from(const QByteArray& bytes);

    const QByteArray& bytes() const { return bytes_; }
    QByteArray channelField() const { return bytes_.left(2); }
    int select() const { return byte(record::kSelect); }
    QByteArray firstSet() const { return bytes_.mid(record::kFirstSet, record::kSetSize); }
    QByteArray secondSet() const { return bytes_.mid(record::kSecondSet, record::kSetSize); }
    QByteArray frequency() const { return bytes_.mid(record::kFirstSet + record::kFrequency, record::kFrequencySize); }
    int mode() const { return byte(record::kFirstSet + record::kMode); }
    int filter() const { return byte(record::kFirstSet + record::kFilter); }
    int dataMode() const { return byte(record::kFirstSet + record::kDataTone) >> 4; }
    QString label() const { return QString::fromLatin1(bytes_.mid(record::kName, record::kNameSize)); }
    // The second set differs from the first: the channel transmits elsewhere (split).
    bool isSplit() const { return firstSet() != secondSet(); }

    // The frequency with its 10 Hz and 1 Hz digits set to 0, as a data file shows it.
    QByteArray frequencyTo100Hz() const;
    // What the data file's zones show of this record.
    VisibleFields visible() const;

    void setChannelField(const QByteArray& field) { bytes_.replace(0, 2, field.left(2)); }
    void setSelect(int group) { setByte(record::kSelect, group); }
    void setFrequency(const QByteArray& fiveBytes);
    void setMode(int code) { setByte(record::kFirstSet + record::kMode, code); }
    void setFilter(int code) { setByte(record::kFirstSet + record::kFilter, code); }
    void clearDataMode();
    void setLabel(const QString& tenCharacters);
    // The transmit side made equal to the receive side again.
    void copyFirstSetToSecond() { bytes_.replace(record::kSecondSet, record::kSetSize, firstSet()); }
    // The transmit frequency of a split channel.
    QByteArray secondFrequency() const { return bytes_.mid(record::kSecondSet, record::kFrequencySize); }

    friend bool operator==(const MemoryRecord&, const MemoryRecord&) = default;

private:
    explicit MemoryRecord(QByteArray bytes) : bytes_(std::move(bytes)) {}
    int byte(int at) const { return static_cast<std::uint8_t>(bytes_[at]); }
    void setByte(int at, int value) { bytes_[at] = static_cast<char>(value); }

    QByteArray bytes_;
};

// The record a memory write gives a channel the radio holds nothing in: both sets alike, no
// data mode, no tone, both tones 100.0 Hz.
MemoryRecord BlankChannelRecord(const QByteArray& channelField, const VisibleFields& fields);

// Modes that carry a data mode (USB-D and the like); CW and RTTY do not.
bool ModeCarriesData(int mode);

}  // namespace talvex
