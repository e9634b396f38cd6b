#include "decoder_seeds.h"

#include "link/answer_frames.h"
#include "link/answer_reader.h"
#include "link/radio_model.h"

#include <cstddef>
#include <cstdint>

// Random bytes as an answer window (whole, and as the reader gets it) and as a broadcast poll:
// neither may crash, read out of bounds or trip the sanitizers, whatever arrives on the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    constexpr std::uint8_t radio = talvex::kRadio.address;
    (void)talvex::ReadAnswer(bytes, radio);
    (void)talvex::ReadBroadcasts(bytes, radio);
    static const auto kEchoes = talvex::fuzz::DecoderEchoSeeds();
    for (const QByteArray& echo : kEchoes) {
        (void)talvex::ReadAnswer(echo + bytes, radio);
        (void)talvex::ReadAnswer(talvex::AnswerFramesOf(echo + bytes, {echo}, radio), radio);
    }
    return 0;
}
