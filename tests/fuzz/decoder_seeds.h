#pragma once

#include <QByteArray>

#include <array>

namespace talvex::fuzz {

// Echoes the program itself puts ahead of an answer; prefixed to the random bytes they reach
// the deeper rows of the decoder. Written in hex, because channel and frequency fields are
// full of 00 bytes that a C string would end at.
inline std::array<QByteArray, 3> DecoderEchoSeeds()
{
    return {
        QByteArray::fromHex("FEFE94E0080005FD" "FEFE94E01A000005FD"),  // select 5, read 5
        QByteArray::fromHex("FEFE94E01A000005FD"),                     // read 5
        QByteArray::fromHex("FEFE94E0050000100700FD" "FEFE94E003FD"),  // set 7.100.0, read back
    };
}

}  // namespace talvex::fuzz
