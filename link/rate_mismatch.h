#pragma once

// What bytes become on a CI-V line whose two ends run at different rates. A UART takes each
// falling edge for a start bit and samples the middle of its own bit times, so a byte sent at one
// rate and read at another comes out changed, split in two or merged with the next. A radio set to
// another rate than TALVEX reads TALVEX's frames that way and, with its echo on, sends back what
// it read, which TALVEX then reads the same way: the bytes that come back are TALVEX's own frames
// twice mis-read, and nothing else produces them.

#include <QByteArray>

#include <array>

namespace talvex {

// The rates a radio's CI-V port may be set to.
inline constexpr std::array<int, 6> kCivRates{4800, 9600, 19200, 38400, 57600, 115200};

// The bytes a receiver at `receiverBaud` assembles from `bytes` sent back to back at `senderBaud`
// (a start bit, 8 data bits least significant first, a stop bit; the line idle before and after).
// A receiver hands up what it sampled whether its stop bit was there or not.
QByteArray ReadAtRate(const QByteArray& bytes, int senderBaud, int receiverBaud);

// What comes back of `written`, sent at `baud`, from a radio at `radioBaud` that echoes what it
// reads: `written` as the radio reads it, sent back at the radio's rate, read at `baud`.
QByteArray EchoFromRadioAt(const QByteArray& written, int baud, int radioBaud);

}  // namespace talvex
