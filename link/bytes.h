#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace talvex {

// Frames and answers are byte strings whose positions count from 1, as the protocol tables do.
inline std::optional<std::uint8_t> ByteAt(const QByteArray& bytes, int position)
{
    if (position < 1 || position > bytes.size())
        return std::nullopt;
    return static_cast<std::uint8_t>(bytes[position - 1]);
}

// Byte at a position known to exist (callers check the length first).
inline std::uint8_t At(const QByteArray& bytes, int position)
{
    return static_cast<std::uint8_t>(bytes[position - 1]);
}

// The byte at `position` is there and is `value`.
inline bool ByteIs(const QByteArray& bytes, int position, std::uint8_t value) { return ByteAt(bytes, position) == value; }

// Both nibbles are decimal digits.
inline bool IsBcd(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

// FF where a value would stand: the radio holds none.
inline constexpr std::uint8_t kNoData = 0xFF;

inline QByteArray MakeBytes(std::initializer_list<std::uint8_t> values)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(values.size()));
    for (auto value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

}  // namespace talvex
