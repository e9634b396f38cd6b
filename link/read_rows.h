#pragma once

#include "readings.h"

#include <QByteArray>

#include <optional>

namespace talvex::read {

// Rows 7-16 of the answer reader: frequency, mode, band edges, the sets and the memory answers.
std::optional<RadioReading> FrequencyAndMemoryRow(const QByteArray& data, std::optional<int> channelAsked);

}  // namespace talvex::read
