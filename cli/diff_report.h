#pragma once

#include "memory/compare_rig.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace talvex::cli {

// What `talvex-mem diff` found: the plans of a complete comparison, or why it ended early.
struct DiffFacts {
    QString file;
    const std::vector<PlannedLine>& plans;
    bool complete = false;  // every channel the file names was read
    QString why;            // not complete: the reason the operator is told
    bool interrupted = false;
    int exitCode = 0;
};

// The lines Update Rig would leave out (PlanAction::Skip): a diff that finds any exits 6, as the
// write would.
int SkippedCount(const std::vector<PlannedLine>& plans);

// Channel by channel, what Update Rig would change: the fields that differ (radio -> file), the
// settings it keeps, its notes, the clears, and the lines it would skip with why; "no change"
// when nothing would be written or cleared.
QString DiffText(const DiffFacts& facts);
// The same as one JSON object, every channel line in it (unchanged ones too).
QByteArray DiffJson(const DiffFacts& facts);

}  // namespace talvex::cli
