#pragma once

// What the bytes of one answer window show about the line, before any judgement: whether what
// TALVEX wrote came back, who answered, and whether the bytes are TALVEX's own frames as a radio
// at another rate reads them. The connection doctor judges a run of windows by these.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace talvex {

// One answer window as the connection doctor reads it.
struct LineWindow {
    std::vector<QByteArray> sent;  // the frames written in it
    QByteArray received;           // every byte that came in it
    bool lineError = false;        // the port reported framing or parity errors
    int baud = 0;                  // the rate the port runs at
};

struct WindowEvidence {
    // A frame that was written came back, or one within two changed bytes of it: an echo a bit
    // error touched is still an echo.
    bool echoed = false;
    // The radio's address sent TALVEX a frame; and one that answers a question (OK and NG do
    // not: a radio woken by Power ON answers OK to a frame it never echoed).
    bool radioSpoke = false;
    bool radioAnswered = false;
    // Another address sent TALVEX a frame (the first such address in the window).
    std::optional<std::uint8_t> otherSender;
    // Not one frame meant for a controller, nor TALVEX's own echo, among the bytes, and the bytes
    // are what was written as a radio at another rate echoes it, or the port reported framing or
    // parity errors.
    bool otherRate = false;
    // At least one frame meant for a controller, or TALVEX's own echo, among the bytes.
    bool framed = false;
};

// `radio`: the address the program talks to in this run.
WindowEvidence EvidenceOf(const LineWindow& window, std::uint8_t radio);

// The well-formed frames of `received` (FE FE, two addresses, at least one command byte, FD),
// in order, each from its last two preambles on.
std::vector<QByteArray> FramesIn(const QByteArray& received);
// How many bytes of `received` belong to no well-formed frame: a frame cut short or broken by
// the line leaves such bytes, a clean exchange none.
qsizetype BytesOutsideFrames(const QByteArray& received);

}  // namespace talvex
