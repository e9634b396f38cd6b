#include "rate_mismatch.h"

#include <cstdint>

namespace talvex {

namespace {

constexpr int kBitsPerByte = 10;  // start, eight data bits, stop

// The line level during sent bit `bit` of `bytes`: low for a start bit, high for a stop bit and
// before and after the bytes.
int LevelOfBit(const QByteArray& bytes, qint64 bit)
{
    if (bit < 0 || bit >= bytes.size() * kBitsPerByte)
        return 1;
    const int inByte = static_cast<int>(bit % kBitsPerByte);
    if (inByte == 0)
        return 0;
    if (inByte == kBitsPerByte - 1)
        return 1;
    return (static_cast<std::uint8_t>(bytes[bit / kBitsPerByte]) >> (inByte - 1)) & 1;
}

}  // namespace

QByteArray ReadAtRate(const QByteArray& bytes, int senderBaud, int receiverBaud)
{
    if (senderBaud <= 0 || receiverBaud <= 0 || senderBaud == receiverBaud)
        return bytes;
    // Time runs in steps of 1 / (2 * senderBaud * receiverBaud) s: a sent bit lasts
    // 2 * receiverBaud steps and a received one 2 * senderBaud, so every edge and every
    // mid-bit sample falls on a whole step.
    const qint64 sentBit = 2LL * receiverBaud;
    const qint64 readBit = 2LL * senderBaud;
    const qint64 bits = bytes.size() * kBitsPerByte;
    const auto levelAt = [&](qint64 step) { return LevelOfBit(bytes, step / sentBit); };

    QByteArray read;
    qint64 from = 0;  // the first sent bit whose leading edge may start the next byte
    while (true) {
        qint64 edge = from;
        while (edge < bits && !(LevelOfBit(bytes, edge) == 0 && LevelOfBit(bytes, edge - 1) == 1))
            ++edge;
        if (edge >= bits)
            break;
        const qint64 startMiddle = edge * sentBit + readBit / 2;
        if (levelAt(startMiddle) != 0) {  // low for less than half a bit: no start bit
            from = edge + 1;
            continue;
        }
        int value = 0;
        for (int bit = 0; bit < 8; ++bit)
            value |= levelAt(startMiddle + (bit + 1) * readBit) << bit;
        read.append(static_cast<char>(value));
        // The next start bit is looked for after this byte's stop bit was sampled.
        from = (startMiddle + 9 * readBit) / sentBit + 1;
    }
    return read;
}

QByteArray EchoFromRadioAt(const QByteArray& written, int baud, int radioBaud)
{
    return ReadAtRate(ReadAtRate(written, baud, radioBaud), radioBaud, baud);
}

}  // namespace talvex
