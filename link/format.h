#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace talvex {

// MM.KKK.H from the decimal values of frequency bytes 4, 3 and 2 (14, 7, 40 -> 14.074.0).
QString FormatFrequency(int p4, int p3, int p2);
// The same from hertz: the 10 MHz to 100 Hz digits (14 074 000 -> 14.074.0).
QString FrequencyText(std::int64_t hz);

// The radio's memory range as the operator reads it: "0.030-74.800 MHz".
QString MemoryRangeText();

// The radio's name as the windows show it: "IC-7300".
QString RadioName();

// The memory channels as the operator reads them: "1-99".
QString ChannelRangeText();

// A channel as the radio names it: "7", or "P1" for a scan edge.
QString ChannelName(int channel);

// "1, 2 or 3": the words of a list the operator may choose from.
QString ChoicesText(const QStringList& choices);

// 1 to `count` as text: what filters, data modes and select groups are called by.
QStringList NumbersUpTo(int count);

// The squelch byte in words: 0 "Squelch is Closed", 1 "Squelch is Open", anything else empty.
QString SquelchText(int value);

// HH:MM (9, 5 -> 09:05).
QString FormatTime(int hours, int minutes);

// The traffic dump: a blank before every byte, in upper-case hexadecimal without leading
// zeros when `hex`, in decimal otherwise.
QString BytesToText(const QByteArray& bytes, bool hex);

// The display name of a mode code, empty for a code the radio has no mode of.
QString ModeName(int code);
// "Fil 1" to "Fil 3", empty for a code the radio has no filter of.
QString FilterName(int code);

// The mode code of a typed or displayed mode name, matched without regard to case.
std::optional<int> ModeCode(const QString& name);

// The radio's modes by their display names, in the order of its description.
QStringList ModeNames();

}  // namespace talvex
