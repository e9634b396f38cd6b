#pragma once

#include "memory/channel_checks.h"
#include "memory/stop_kind.h"

#include <QString>

#include <optional>

namespace talvex {

// What a face of the memory engine hears while an operation runs. The Memory window draws from
// the program state and needs none of it; talvex-mem renders it as a progress bar, lines or JSON.
class MemoryListener {
public:
    virtual ~MemoryListener() = default;
    // `what` ("Saving channel 12 of 99 before writing", "Writing channel 12") is at `done` of `of`.
    virtual void progress(const QString& what, int done, int of) = 0;
    // One channel checked against the radio: nothing when it verified, else why not.
    virtual void verdict(int channel, const std::optional<QString>& why) = 0;
    // The operation came to its end by itself; `report` is empty for one that counts nothing.
    virtual void finished(const QString& operation, const ChannelReport& report) = 0;
    // The operation was halted before its end: `kind` for a face to act on, `why` as the operator
    // is told it.
    virtual void stopped(const QString& operation, StopKind kind, const QString& why) = 0;
};

}  // namespace talvex
