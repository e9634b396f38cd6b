#pragma once

// The checks the editor makes of every line as it is typed. What Update Rig will skip, and
// why, is the planner's to say (memory/update_plan.h), the one rule set Update Rig itself
// follows: the editor marks each such line on the cell the reason is about. The editor adds
// only what the planner cannot know: a line after END, a record copied from another channel, and
// contents standing on another channel without their settings. A file with such lines can still
// be saved; the operator is told, not stopped.

#include "editor/editor_columns.h"
#include "editor/table_lines.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace talvex::editor {

struct CellProblem {
    Column column;
    QString text;
};

struct RowCheck {
    std::vector<CellProblem> problems;
    // True when Update Rig writes nothing of the line.
    bool refused = false;
    // The channel the row stands on without the settings of the one it was read on.
    std::optional<int> settingsUnknownOn;
    bool ok() const { return problems.empty(); }
    // Every problem of the row in one sentence, as the Checks column and the status line show it.
    QString text() const;
    // The problem of one cell, "" when it has none.
    QString textFor(Column column) const;
};

// One check a line of `table`, in order.
std::vector<RowCheck> CheckLines(const TableLines& table);

// "Update Rig will skip 2 lines: line 12 (channel 7): ...; line 40 ...", or "" when none; at
// most `shown` lines are named.
QString RefusalSummary(const QStringList& lines, const std::vector<RowCheck>& checks, int shown = 5);

}  // namespace talvex::editor
