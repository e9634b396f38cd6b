#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace talvex {

// MM.KKK.H from the decimal values of frequency bytes 4, 3 and 2 (14, 7, 40 -> 14.074.0).
QString FormatFrequency(int p4, int p3, int p2);

// The radio's memory range as the operator reads it: "0.030-74.800 MHz".
QString MemoryRangeText();

// HH:MM (9, 5 -> 09:05).
QString FormatTime(int hours, int minutes);

// The traffic dump: a blank before every byte, in upper-case hexadecimal without leading
// zeros when `hex`, in decimal otherwise.
QString BytesToText(const QByteArray& bytes, bool hex);

// The display name of a mode code, empty for a code without a name (06 and above 08).
QString ModeName(int code);

// The mode code of a typed or displayed mode name, matched without regard to case.
std::optional<int> ModeCode(const QString& name);

}  // namespace talvex
