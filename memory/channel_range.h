#pragma once

#include "link/radio_model.h"

#include <QString>

#include <optional>

namespace talvex {

struct ChannelRange {
    int first = kRadio.firstChannel;
    int last = kRadio.lastChannel;
};

// A channel as the operator typed it: counted by its leading number ("7x" is 7), clamped so a
// typed 1e9 cannot overflow a counter; nothing when the text has no leading number.
std::optional<int> TypedChannel(const QString& text);

// "(1-99)": the radio's channels, as the range prompts name them.
QString AllChannelsText();

}  // namespace talvex
