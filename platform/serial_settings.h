#pragma once

#include <QString>

#include <optional>

namespace talvex {

enum class Parity { None, Even, Odd };

struct SerialSettings {
    int baudRate = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
};

// Reads "19200,N,8,1" strictly: a malformed text gives nothing, never a quiet default,
// so a typing error in TALVEX.INI shows as an open failure instead of a mute radio.
std::optional<SerialSettings> ParseSerialSettings(const QString& text);

// Milliseconds the line needs to carry this many bytes (start bit, data bits, parity, stop bits).
int LineTimeMs(int byteCount, int baudRate);

}  // namespace talvex
