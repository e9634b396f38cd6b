#pragma once

#include "bytes.h"
#include "memory_record.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace talvex {

inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEndOfMessage = 0xFD;
inline constexpr std::uint8_t kOkCode = 0xFB;
inline constexpr std::uint8_t kNgCode = 0xFA;
inline constexpr std::uint8_t kBroadcastAddress = 0x00;
inline constexpr std::uint8_t kControllerAddress = 0xE0;

// The frames go to the radio at `radio`, its CI-V address in this run: the description's, or
// the one the operator set on the radio's menu. Nothing keeps an address of its own, so one
// run's frames and the answers taken as the radio's can never disagree about it.

// FE FE, the radio's address, E0: what every frame to the radio starts with.
QByteArray CivPrefix(std::uint8_t radio);
// FD: what every frame ends with.
QByteArray CivEnd();

// CivPrefix + command bytes + CivEnd.
QByteArray CommandFrame(std::uint8_t radio, const QByteArray& command);
QByteArray CommandFrame(std::uint8_t radio, std::initializer_list<std::uint8_t> command);

// Power ON wakes a sleeping radio with 25 prefixes in a row before 18 01 FD: 103 bytes.
QByteArray PowerOnFrame(std::uint8_t radio);

// The two-byte channel field: a scan edge in four BCD digits ("100" -> 01 00), any other text
// 00 + BCD. Nothing when the text cannot be encoded.
std::optional<QByteArray> ChannelField(const QString& channelText);
// The channel number of a two-byte channel field: 00 07 -> 7, 01 00 -> 100 (a scan edge).
// Nothing when the field is not one a channel answers with.
std::optional<int> ChannelOfField(const QByteArray& field);
// The channel a memory read (FE FE 94 E0 1A 00 ch ch FD) asks for; nothing for any other frame.
std::optional<int> ChannelOfRead(const QByteArray& frame);

// The five frequency bytes from six typed digits MMkkkh: pairs into bytes 4, 3, 2; 1 and 5 stay 00.
std::optional<QByteArray> FrequencyField(const QString& sixDigits);

// The 41 bytes after 1A 00 in a memory write.
struct MemoryChannel {
    std::uint8_t channel = 0;  // BCD of a memory channel
    QByteArray frequency;      // five bytes
    std::uint8_t mode = 0;
    std::uint8_t filter = 0;
    QString label;             // as long as the radio's names
};
inline constexpr int kMemoryContentsSize = record::kSize;
QByteArray MemoryContents(const MemoryChannel& channel);

// 1A 00 + MemoryContents framed: 48 bytes.
QByteArray MemoryWriteFrame(std::uint8_t radio, const MemoryChannel& channel);

}  // namespace talvex
