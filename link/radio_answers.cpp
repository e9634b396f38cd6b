#include "radio_answers.h"

#include "bytes.h"
#include "format.h"
#include "frames.h"
#include "memory_record.h"

namespace talvex {

namespace {

// FE FE E0 94 1A 00, the 41 contents bytes, FD.
constexpr int kContentsAnswerSize = 6 + kMemoryContentsSize + 1;
// FE FE E0 94 1A 00 ch ch FF FD.
constexpr int kBlankAnswerSize = 10;

QByteArray AnswerHeader(std::uint8_t radio)
{
    return MakeBytes({kPreamble, kPreamble, kControllerAddress, radio});
}

bool IsMemoryRead(const QByteArray& answer)
{
    return answer.size() >= 8 && At(answer, 5) == 0x1A && At(answer, 6) == 0x00;
}

}  // namespace

std::vector<QByteArray> RadioAnswers(const QByteArray& received, std::uint8_t radio)
{
    std::vector<QByteArray> answers;
    const QByteArray header = AnswerHeader(radio);
    qsizetype at = received.indexOf(header);
    while (at >= 0) {
        const qsizetype end = received.indexOf(static_cast<char>(kEndOfMessage), at + header.size());
        if (end < 0)
            break;
        // A frame cut short by noise runs into the next one: the next preamble ends it.
        const qsizetype next = received.indexOf(header, at + header.size());
        if (next >= 0 && next < end) {
            at = next;
            continue;
        }
        answers.push_back(received.mid(at, end - at + 1));
        at = received.indexOf(header, end + 1);
    }
    return answers;
}

bool IsOk(const QByteArray& answer) { return answer.size() == 6 && At(answer, 5) == kOkCode; }
bool IsNg(const QByteArray& answer) { return answer.size() == 6 && At(answer, 5) == kNgCode; }

bool IsBlankChannelAnswer(const QByteArray& answer)
{
    return answer.size() == kBlankAnswerSize && IsMemoryRead(answer) && At(answer, 9) == kNoData;
}

std::optional<QByteArray> MemoryReadAnswer(const std::vector<QByteArray>& answers, const QByteArray& channelField)
{
    for (const QByteArray& answer : answers) {
        if (!IsMemoryRead(answer) || answer.mid(6, 2) != channelField)
            continue;
        if (IsBlankChannelAnswer(answer) || answer.size() == kContentsAnswerSize)
            return answer;
    }
    return std::nullopt;
}

QByteArray ContentsOfAnswer(const QByteArray& answer) { return answer.mid(6, kMemoryContentsSize); }

bool ContentsReadable(const QByteArray& contents)
{
    if (contents.size() != kMemoryContentsSize)
        return false;
    // At() counts from 1.
    constexpr int kFrequency = record::kFirstSet + record::kFrequency + 1;
    for (int i = kFrequency; i < kFrequency + record::kFrequencySize; ++i) {
        if (!IsBcd(At(contents, i)))
            return false;
    }
    return kRadio.mode(At(contents, record::kFirstSet + record::kMode + 1))
        && kRadio.holdsFilter(At(contents, record::kFirstSet + record::kFilter + 1));
}

std::optional<ChannelReading> ChannelOfAnswer(const QByteArray& answer)
{
    if (!IsMemoryRead(answer) || IsBlankChannelAnswer(answer))
        return std::nullopt;
    return ChannelReadingOf(ContentsOfAnswer(answer));
}

}  // namespace talvex
