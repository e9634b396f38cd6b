#pragma once

#include "memory/stepper.h"

#include <optional>

namespace talvex {

// A channel cleared in two steps. The clear acts on whatever channel the radio has selected, so
// it goes out only once the select is confirmed: its echo is the very frame sent (a select
// garbled on the way, 08 00 30 read as 08 00 31, shows there) and the radio answered it OK.
// After the clear the channel is read back, and counts as cleared only when it reads blank.
class ChannelClear {
public:
    // `clears`: how many clear frames the second step sends.
    ChannelClear(OperationContext& context, int clears) : c_(context), clears_(clears) {}

    // The first step: the select (memory mode first when `memoryModeFirst`), with the read the
    // select procedure follows it with. The caller has marked the answer as expected.
    void select(int channel, bool memoryModeFirst);
    // Nothing when the select was confirmed, else why nothing may be cleared.
    std::optional<QString> selectNotConfirmed(const Exchange& exchange) const;
    // The second step: the clear frames, then the read-back.
    void clear();
    // Nothing when the radio answered OK to each clear and the channel reads back blank.
    std::optional<QString> clearNotVerified(const Exchange& exchange) const;
    int channel() const { return channel_; }

private:
    OperationContext& c_;
    int clears_;
    int channel_ = 0;
};

}  // namespace talvex
