#include "radio_answers.h"

#include "answer_decoder.h"
#include "bytes.h"
#include "format.h"
#include "frames.h"
#include "memory_record.h"

namespace talvex {

namespace {

constexpr std::uint8_t kNoData = 0xFF;
// FE FE E0 94 1A 00, the 41 contents bytes, FD.
constexpr int kContentsAnswerSize = 6 + kMemoryContentsSize + 1;
// FE FE E0 94 1A 00 ch ch FF FD.
constexpr int kBlankAnswerSize = 10;

bool IsBcd(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

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

MemoryFields ShownFromAnswer(const QByteArray& answer, int channel)
{
    // Decoded on its own, behind the echo of its request, exactly as the answer decoder shows
    // it after a read: the file then holds what the window showed.
    ProgramState scratch;
    const std::uint8_t radio = At(answer, 4);  // the address it came from
    const QByteArray request = CommandFrame(radio, QByteArray::fromHex("1A00") + answer.mid(6, 2));
    DecodeAnswer(scratch, request + answer, radio, channel);
    return scratch.memory;
}

}  // namespace talvex
