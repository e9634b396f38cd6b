#include "answer_reader.h"

#include "bytes.h"
#include "frames.h"

namespace talvex {

namespace {

// One frame: nothing when a frequency or mode frame lacks its end byte, which changes nothing.
std::optional<BroadcastReading> ReadBroadcast(const QByteArray& frame, std::uint8_t radio)
{
    if (ByteAt(frame, 4) != radio)
        return std::nullopt;
    BroadcastReading reading;
    const auto command = ByteAt(frame, 5);
    if (command == 0x01 && frame.size() == 8) {
        if (At(frame, 8) != kEndOfMessage)
            return std::nullopt;
        reading.mode = At(frame, 6);
        reading.filter = At(frame, 7);
    }
    if (command == 0x00 && frame.size() == 11) {
        if (At(frame, 11) != kEndOfMessage)
            return std::nullopt;
        reading.hz = HzOfBcd(frame.mid(5, 5));
    }
    return reading;
}

}  // namespace

std::vector<BroadcastReading> ReadBroadcasts(const QByteArray& data, std::uint8_t radio)
{
    // Cut after every FD; a trailing piece without one is a frame too.
    std::vector<BroadcastReading> readings;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf(static_cast<char>(kEndOfMessage), start);
        if (end < 0)
            end = data.size() - 1;
        if (auto reading = ReadBroadcast(data.mid(start, end - start + 1), radio))
            readings.push_back(*reading);
        start = end + 1;
    }
    return readings;
}

}  // namespace talvex
