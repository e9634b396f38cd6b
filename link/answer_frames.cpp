#include "answer_frames.h"

#include "bytes.h"
#include "frames.h"

#include <algorithm>

namespace talvex {

namespace {

bool FrameStartsAt(const QByteArray& bytes, qsizetype position)
{
    return position + 1 < bytes.size() && static_cast<std::uint8_t>(bytes[position]) == kPreamble
        && static_cast<std::uint8_t>(bytes[position + 1]) == kPreamble;
}

// The program's own frames (to the radio, from the controller) and the radio's answers (the
// other way round). The addresses follow the run of preambles: Power ON has 25 of them.
bool BetweenProgramAndRadio(const QByteArray& frame, std::uint8_t radio)
{
    qsizetype position = 0;
    while (position < frame.size() && static_cast<std::uint8_t>(frame[position]) == kPreamble)
        ++position;
    if (position + 1 >= frame.size())
        return false;
    const auto to = static_cast<std::uint8_t>(frame[position]);
    const auto from = static_cast<std::uint8_t>(frame[position + 1]);
    return (to == radio && from == kControllerAddress) || (to == kControllerAddress && from == radio);
}

}  // namespace

QByteArray AnswerFramesOf(const QByteArray& received, const std::vector<QByteArray>& sent, std::uint8_t radio)
{
    QByteArray kept;
    kept.reserve(received.size());
    qsizetype position = 0;
    while (position < received.size()) {
        if (!FrameStartsAt(received, position)) {
            ++position;  // noise between frames
            continue;
        }
        const qsizetype end = received.indexOf(static_cast<char>(kEndOfMessage), position + 2);
        const QByteArray frame = received.mid(position, end < 0 ? -1 : end - position + 1);
        const bool echo = end >= 0 && std::find(sent.begin(), sent.end(), frame) != sent.end();
        if (echo || BetweenProgramAndRadio(frame, radio))
            kept += frame;
        if (end < 0)
            break;
        position = end + 1;
    }
    return kept;
}

QByteArray WithoutRepeatedEchoes(QByteArray frames, const std::vector<QByteArray>& sent)
{
    for (std::size_t i = 1; i < sent.size(); ++i) {
        if (std::find(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(i), sent[i]) == sent.begin() + static_cast<std::ptrdiff_t>(i))
            continue;
        const qsizetype first = frames.indexOf(sent[i]);
        const qsizetype again = first < 0 ? -1 : frames.indexOf(sent[i], first + sent[i].size());
        if (again >= 0)
            frames.remove(again, sent[i].size());
    }
    return frames;
}

}  // namespace talvex
