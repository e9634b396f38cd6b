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

inline QByteArray MakeBytes(std::initializer_list<std::uint8_t> values)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(values.size()));
    for (auto value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

}  // namespace talvex
