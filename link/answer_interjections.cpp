#include "answer_reader.h"

#include "bytes.h"
#include "frames.h"

namespace talvex {

namespace {

// A frame the answer reader never reads: the radio's OK or NG to the controller, or a broadcast.
bool IsInterjection(const QByteArray& frame, std::uint8_t radio)
{
    if (frame.size() < 5 || At(frame, 1) != kPreamble || At(frame, 2) != kPreamble)
        return false;
    const bool okOrNg = frame.size() == 6 && At(frame, 3) == kControllerAddress
        && At(frame, 4) == radio && (At(frame, 5) == kOkCode || At(frame, 5) == kNgCode);
    const bool broadcast = At(frame, 3) == kBroadcastAddress && At(frame, 4) == radio;
    return okOrNg || broadcast;
}

}  // namespace

QByteArray WithoutInterjections(const QByteArray& data, std::uint8_t radio)
{
    QByteArray kept;
    kept.reserve(data.size());
    qsizetype position = 0;
    while (position < data.size()) {
        const bool frameStart = position + 1 < data.size()
            && static_cast<std::uint8_t>(data[position]) == kPreamble
            && static_cast<std::uint8_t>(data[position + 1]) == kPreamble;
        if (!frameStart) {
            kept.append(data[position++]);
            continue;
        }
        const qsizetype end = data.indexOf(static_cast<char>(kEndOfMessage), position + 2);
        if (end < 0) {  // cut short: kept as it came
            kept.append(data.mid(position));
            break;
        }
        const QByteArray frame = data.mid(position, end - position + 1);
        if (!IsInterjection(frame, radio))
            kept.append(frame);
        position = end + 1;
    }
    return kept;
}

}  // namespace talvex
