#include "decoder_seeds.h"

#include "link/answer_decoder.h"
#include "link/answer_frames.h"
#include "link/radio_model.h"

#include <cstddef>
#include <cstdint>

// Random bytes as an answer window (whole, and as the decoders get it) and as a broadcast
// poll: neither may crash, read out of bounds or trip the sanitizers, whatever arrives on the
// line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    talvex::ProgramState state;
    state.HexDisplay = size % 2 == 0;
    constexpr std::uint8_t radio = talvex::kRadio.address;
    talvex::DecodeAnswer(state, bytes, radio);
    talvex::SplitTransceive(state, bytes);
    static const auto kEchoes = talvex::fuzz::DecoderEchoSeeds();
    for (const QByteArray& echo : kEchoes) {
        talvex::DecodeAnswer(state, echo + bytes, radio);
        talvex::DecodeAnswer(state, talvex::AnswerFramesOf(echo + bytes, {echo}, radio), radio);
    }
    return 0;
}
