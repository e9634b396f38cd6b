#pragma once

#include "memory/backup.h"
#include "memory/update_plan.h"

#include <QStringList>

#include <vector>

namespace talvex {

// Compare Rig: what Update Rig would do with a data file, found out without changing the radio.
// The channels the file names are read first, at the line's pace, with the very read Update Rig
// makes before it writes (two agreeing reads of each); then every line up to END is planned
// against them by the planner Update Rig itself follows. Nothing is written to the radio, and
// `reading` is a ChannelBackup that is never given a clock, so no backup file is made either.
class CompareRig final : public BackedUpStepper {
public:
    CompareRig(OperationContext& context, ChannelBackup& reading);
    // For `lines` (a data file's, or an editor's), taken up to their END line. Asks nothing:
    // nothing will change. A file naming no channel is planned at once, without the radio.
    std::optional<Refused> start(const QStringList& lines);
    void reset() override;
    // Every line up to END, each with its plan; complete once the run has ended by itself.
    const std::vector<PlannedLine>& plans() const { return plans_; }
    bool complete() const { return complete_; }

private:
    void changeStep() override;
    QString notSaved(const QString& why) const override;

    QStringList lines_;
    std::vector<PlannedLine> plans_;
    bool complete_ = false;
};

}  // namespace talvex
