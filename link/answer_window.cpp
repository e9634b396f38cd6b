#include "answer_window.h"

#include "bytes.h"
#include "frames.h"
#include "radio_answers.h"

namespace talvex {

namespace {

constexpr int kCommandPosition = 5;

std::optional<std::uint8_t> CommandOf(const QByteArray& frame) { return ByteAt(frame, kCommandPosition); }

bool Answers(const QByteArray& answer, const QByteArray& request)
{
    return IsOk(answer) || IsNg(answer) || (CommandOf(answer) && CommandOf(answer) == CommandOf(request));
}

}  // namespace

bool AnswersComplete(const std::vector<QByteArray>& sent, const QByteArray& received, std::uint8_t radio)
{
    if (sent.empty())
        return false;
    qsizetype firstEcho = -1;
    qsizetype from = 0;
    for (const QByteArray& frame : sent) {
        const qsizetype echo = received.indexOf(frame, from);
        if (echo < 0)
            return false;
        if (firstEcho < 0)
            firstEcho = echo;
        from = echo + frame.size();
    }
    // Answers are given in the order of the requests; what came before the first echo belongs
    // to an earlier exchange.
    std::size_t answered = 0;
    for (const QByteArray& answer : RadioAnswers(received.mid(firstEcho), radio)) {
        if (answered < sent.size() && Answers(answer, sent[answered]))
            ++answered;
    }
    return answered == sent.size();
}

int LongestAnswerBytes(const QByteArray& frame)
{
    // FE FE 94 E0 1A 00 hh ll FD asks for a channel: FE FE E0 94 1A 00, its record, FD.
    const bool memoryRead = frame.size() == 9 && frame.mid(4, 2) == QByteArray::fromHex("1A00");
    return memoryRead ? 6 + kMemoryContentsSize + 1 : 11;
}

}  // namespace talvex
