#include "line_evidence.h"

#include "frames.h"
#include "rate_mismatch.h"

#include <algorithm>

namespace talvex {

namespace {

struct Heard {
    std::uint8_t to;
    std::uint8_t from;
    std::uint8_t command;
    qsizetype at;    // where its first preamble is
    qsizetype body;  // where its addresses begin
    qsizetype end;   // where its FD is
};

// Addresses of every well-formed frame in the bytes: FE FE (more FE allowed), to, from, at
// least one command byte, FD. Bytes between frames are skipped.
std::vector<Heard> Frames(const QByteArray& bytes)
{
    std::vector<Heard> frames;
    const auto size = bytes.size();
    qsizetype at = 0;
    while (at + 1 < size) {
        if (static_cast<std::uint8_t>(bytes[at]) != kPreamble || static_cast<std::uint8_t>(bytes[at + 1]) != kPreamble) {
            ++at;
            continue;
        }
        qsizetype body = at + 2;
        while (body < size && static_cast<std::uint8_t>(bytes[body]) == kPreamble)
            ++body;
        qsizetype end = body;
        while (end < size && static_cast<std::uint8_t>(bytes[end]) != kEndOfMessage
               && static_cast<std::uint8_t>(bytes[end]) != kPreamble)
            ++end;
        if (end < size && static_cast<std::uint8_t>(bytes[end]) == kEndOfMessage && end - body >= 3)
            frames.push_back({static_cast<std::uint8_t>(bytes[body]), static_cast<std::uint8_t>(bytes[body + 1]),
                              static_cast<std::uint8_t>(bytes[body + 2]), at, body, end});
        at = end;
    }
    return frames;
}

bool ToController(const Heard& f) { return f.to == kControllerAddress || f.to == kBroadcastAddress; }
bool OwnEcho(const Heard& f, std::uint8_t radio) { return f.to == radio && f.from == kControllerAddress; }

// `frame` among `received` with at most two of its bytes changed (a third of a short frame).
// Bits turned over on the line leave most of an echo standing; a radio at another rate, or one
// with its echo off, sends back nothing this close.
bool CameBack(const QByteArray& received, const QByteArray& frame)
{
    const qsizetype size = frame.size();
    const qsizetype allowed = std::min<qsizetype>(2, size / 3);
    for (qsizetype at = 0; at + size <= received.size(); ++at) {
        qsizetype changed = 0;
        for (qsizetype i = 0; i < size && changed <= allowed; ++i)
            changed += received[at + i] != frame[i];
        if (changed <= allowed)
            return true;
    }
    return false;
}

// The bytes are, all of them, what the frames written become through a radio at another of the
// CI-V rates that echoes what it reads: read one by one (each frame reached it alone) or back to
// back (they reached it together).
bool EchoedAtAnotherRate(const LineWindow& window)
{
    if (window.received.isEmpty() || window.sent.empty())
        return false;
    QByteArray together;
    for (const QByteArray& frame : window.sent)
        together += frame;
    return std::any_of(kCivRates.begin(), kCivRates.end(), [&](int rate) {
        if (rate == window.baud || window.baud <= 0)
            return false;
        QByteArray oneByOne;
        for (const QByteArray& frame : window.sent)
            oneByOne += EchoFromRadioAt(frame, window.baud, rate);
        return window.received == oneByOne || window.received == EchoFromRadioAt(together, window.baud, rate);
    });
}

}  // namespace

WindowEvidence EvidenceOf(const LineWindow& window, std::uint8_t radio)
{
    WindowEvidence evidence;
    evidence.echoed = std::any_of(window.sent.begin(), window.sent.end(),
                                  [&](const QByteArray& frame) { return CameBack(window.received, frame); });
    for (const Heard& f : Frames(window.received)) {
        // Garble can happen to look like a frame; one that is neither our echo nor meant for a
        // controller does not count.
        evidence.framed = evidence.framed || ToController(f) || OwnEcho(f, radio);
        if (f.to != kControllerAddress)
            continue;  // a broadcast to all may come from any device on the bus
        if (f.from == radio) {
            evidence.radioSpoke = true;
            evidence.radioAnswered = evidence.radioAnswered || (f.command != kOkCode && f.command != kNgCode);
        } else if (f.from != kControllerAddress && !evidence.otherSender) {
            evidence.otherSender = f.from;
        }
    }
    evidence.otherRate = !evidence.framed && (window.lineError || EchoedAtAnotherRate(window));
    return evidence;
}

std::vector<QByteArray> FramesIn(const QByteArray& received)
{
    std::vector<QByteArray> frames;
    for (const Heard& frame : Frames(received))
        frames.push_back(received.mid(frame.body - 2, frame.end - frame.body + 3));
    return frames;
}

qsizetype BytesOutsideFrames(const QByteArray& received)
{
    qsizetype outside = received.size();
    for (const Heard& frame : Frames(received))
        outside -= frame.end - frame.at + 1;
    return outside;
}

}  // namespace talvex
