#pragma once

#include "link/radio_model.h"
#include "platform/dialogs.h"

#include <QString>

#include <optional>

namespace talvex {

struct ChannelRange {
    int first = kRadio.firstChannel;
    int last = kRadio.lastChannel;
};

// The first and last channel of Blank Rig and Scan Rig as the operator types them. An empty
// answer takes the default (1, 99); a typed text counts by its leading number ("7x" is 7, a
// last channel without a number is 0, so nothing is acted on). A first channel without a
// leading number cannot say where to begin: it is refused, like Cancel at either prompt.
std::optional<ChannelRange> AskChannelRange(Dialogs& dialogs, const QString& firstPrompt, const QString& firstTitle,
                                            const QString& lastPrompt, const QString& lastTitle);

}  // namespace talvex
