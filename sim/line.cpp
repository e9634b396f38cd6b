#include "line.h"

namespace sim {

namespace {

constexpr std::uint8_t kOwnAddress = 0x94;
constexpr std::uint8_t kController = 0xE0;
constexpr int kBitsPerByte = 10;

// Level of the sent line in sender bit `index`: idle (1) outside the bytes.
int Level(const Bytes& bytes, long index)
{
    if (index < 0 || index >= static_cast<long>(bytes.size()) * kBitsPerByte)
        return 1;
    const int bit = static_cast<int>(index % kBitsPerByte);
    if (bit == 0)
        return 0;
    if (bit == kBitsPerByte - 1)
        return 1;
    return (bytes[static_cast<std::size_t>(index / kBitsPerByte)] >> (bit - 1)) & 1;
}

}  // namespace

Bytes Resample(const Bytes& bytes, int senderBaud, int receiverBaud)
{
    if (senderBaud <= 0 || receiverBaud <= 0 || senderBaud == receiverBaud)
        return bytes;
    // Time in units of 1 / (2 * senderBaud * receiverBaud) seconds, so every bit edge and
    // every mid-bit sample falls on a whole unit.
    const long senderBit = 2L * receiverBaud;
    const long receiverBit = 2L * senderBaud;
    const long lastBit = static_cast<long>(bytes.size()) * kBitsPerByte;
    auto levelAt = [&](long time) { return Level(bytes, time / senderBit); };

    Bytes assembled;
    long searchFrom = 0;  // first sender bit whose leading edge may start a byte
    while (true) {
        long edge = searchFrom;
        while (edge < lastBit && !(Level(bytes, edge) == 0 && Level(bytes, edge - 1) == 1))
            ++edge;
        if (edge >= lastBit)
            break;
        const long start = edge * senderBit;
        const long middleOfStart = start + receiverBit / 2;
        if (levelAt(middleOfStart) != 0) {  // a glitch, not a start bit
            searchFrom = edge + 1;
            continue;
        }
        int value = 0;
        for (int bit = 0; bit < 8; ++bit)
            value |= levelAt(middleOfStart + (bit + 1) * receiverBit) << bit;
        assembled.push_back(static_cast<std::uint8_t>(value));
        const long stopSample = middleOfStart + 9 * receiverBit;
        searchFrom = stopSample / senderBit + 1;
    }
    return assembled;
}

std::optional<Bytes> ToRadioAt(std::uint8_t address, const Bytes& frame)
{
    Bytes own = frame;
    std::size_t at = 0;
    bool addressed = false;
    while (at + 4 <= own.size() && own[at] == 0xFE && own[at + 1] == 0xFE && own[at + 3] == kController) {
        if (own[at + 2] != address)
            return std::nullopt;
        own[at + 2] = kOwnAddress;
        addressed = true;
        at += 4;
    }
    if (!addressed)
        return std::nullopt;
    return own;
}

Bytes FromRadioAt(std::uint8_t address, Bytes frames)
{
    for (std::size_t at = 0; at + 3 < frames.size(); ++at) {
        if (frames[at] == 0xFE && frames[at + 1] == 0xFE && frames[at + 2] != 0xFE && frames[at + 3] == kOwnAddress) {
            frames[at + 3] = address;
            at += 3;
        }
    }
    return frames;
}

}  // namespace sim
