#pragma once

#include "memory/window/memory_fields.h"
#include "state/program_state.h"

#include <QString>

#include <optional>

namespace talvex {

// What the Memory window's redraw needs to know of an operation to say how it goes: which one
// runs, the channel it works on, its range, and the status line.
struct OperationView {
    std::optional<QString> operation;  // the running operation, by its button's name
    QString channel;  // the channel field, Text1
    QString status;  // the status line, Text7
    int first = 0;  // the range of Blank Rig and Scan Rig
    int last = 0;

    static OperationView Of(const ProgramState& state, const MemoryFields& fields);
};

// What an operator waiting on an operation should hear after a redraw, or nothing: the channel
// it has reached ("View Rig: channel 12 of 99") with the channel's summary, the status line as
// it changes (the backup's "Saving channel 12 of 99 before writing"), and the end report.
std::optional<QString> ProgressAnnouncement(const OperationView& before, const OperationView& now);

}  // namespace talvex
