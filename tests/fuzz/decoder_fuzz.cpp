#include "link/answer_decoder.h"

#include <cstddef>
#include <cstdint>

// Random bytes as an answer window and as a broadcast poll: neither may crash, read out of
// bounds or trip the sanitizers, whatever arrives on the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    talvex::ProgramState state;
    state.HexDisplay = size % 2 == 0;
    talvex::DecodeAnswer(state, bytes);
    talvex::SplitTransceive(state, bytes);
    // Prefixing the echoes the program would have sent reaches the deeper rows.
    static const char* const kEchoes[] = {"\xFE\xFE\x94\xE0\x08\x00\x05\xFD\xFE\xFE\x94\xE0\x1A\x00\x00\x05\xFD",
                                          "\xFE\xFE\x94\xE0\x1A\x00\x00\x05\xFD",
                                          "\xFE\xFE\x94\xE0\x05\x00\x00\x10\x07\x00\xFD\xFE\xFE\x94\xE0\x03\xFD"};
    for (const char* echo : kEchoes)
        talvex::DecodeAnswer(state, QByteArray(echo) + bytes);
    return 0;
}
