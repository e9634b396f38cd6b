#pragma once

// What Compare with Radio found, a line at a time, in the operator's words: the plans Update
// Rig's own planner made of the editor's lines against what the radio holds.

#include "memory/compare_rig.h"

#include <QStringList>

#include <map>
#include <vector>

namespace talvex::editor {

// "same", "differs: frequency, label", "will be cleared", "kept settings: tones", ...
QString PlanVerdict(const LinePlan& plan);

// Row -> verdict for the rows whose line is the one planned (a line edited since the compare
// began gets none). Lines that are no channel get none either.
std::map<int, QString> CompareMarks(const QStringList& lines, const std::vector<PlannedLine>& plans);

}  // namespace talvex::editor
