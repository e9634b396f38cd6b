#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace talvex {

// A typed frequency of 3-6 digits (Kkk, MMkkk or MMkkkh; 500 is 0.500 MHz, 7100 is 7.100 MHz)
// as the five frequency bytes; nothing for any other entry.
std::optional<QByteArray> FrequencyBytesOf(const QString& entry);

}  // namespace talvex
