#pragma once

#include "state/program_state.h"
#include "link/serial_link.h"
#include "memory/backup.h"
#include "memory/compare_rig.h"
#include "memory/create_file.h"
#include "datafile/data_file.h"
#include "memory/memory_listener.h"
#include "memory/rig_steppers.h"
#include "memory/run_advice.h"
#include "memory/step_answers.h"
#include "memory/update_rig.h"
#include "memory/view_file.h"
#include "platform/clock.h"
#include "memory/memory_request.h"
#include "platform/timer.h"
#include "radio/radio_operations.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace talvex {

// The Memory Operations window's long operations, one step a timer tick: Create File, View
// File, Update Rig, View Rig, Blank Rig, Scan Rig and Compare Rig. They never build frames: they
// call the radio's memory procedures with the channels they work on.
//
// An operation starts from a request that carries every answer it needs: it starts, or is
// refused with the reason and what the operator is shown. It asks nothing and shows no box; its
// listeners hear its progress and its outcome. One operation runs at a time: they share the
// channel counter and the one data file.
class MemoryOperations {
public:
    // The step timers, one an operation (Compare Rig steps with Update Rig's).
    enum class StepTimer { CreateFile, ViewFile, UpdateRig, ViewRig, BlankRig, ScanRig };

    MemoryOperations(ProgramState& state, RadioOperations& radio, SerialLink& link, DataFile& dataFile,
                     TimerFactory& timers);
    ~MemoryOperations();
    MemoryOperations(const MemoryOperations&) = delete;
    MemoryOperations& operator=(const MemoryOperations&) = delete;

    StartResult createFile(const MemoryRequest& request);
    StartResult viewFile(const MemoryRequest& request);
    // The current data file, or `request.file` of the working folder.
    StartResult updateRig(const MemoryRequest& request);
    StartResult viewRig(const MemoryRequest& request);
    StartResult blankRig(const MemoryRequest& request);
    StartResult scanRig(const MemoryRequest& request);
    // What Update Rig would do with `request.lines` (a data file's), read from the radio and
    // planned without changing it; comparison() holds the plans once it has ended.
    StartResult compareRig(const MemoryRequest& request);
    const CompareRig& comparison() const { return compareRig_; }

    // Stop: whatever runs ends; a file being created and a backup being saved are thrown away.
    void stop();
    // Blank Rig and Scan Rig held while the operator is asked whether to stop them.
    void pauseBlankRig(bool paused) { blankRig_.pause(paused); }
    void abandonBlankRig();
    void pauseScanRig(bool paused, bool stopping = false) { scanRig_.pause(paused, stopping); }

    // Steps at the line's pace: armed when an answer window closes on a step whose operation
    // goes as soon as its answer is in (the reading before a change), it fires at once.
    Timer& paceTimer() const { return *paceTimer_; }
    Timer& timer(StepTimer which) const { return *timers_.at(static_cast<std::size_t>(which)); }

    // Called after every tick, so the windows redraw what the step changed.
    void setDisplayChanged(std::function<void()> changed) { displayChanged_ = std::move(changed); }

    // The program is ending: a file being created is thrown away, the old one kept, and an
    // unfinished backup is not left behind.
    void discardUnfinishedFile()
    {
        createFile_.discard();
        backup_.discard();
    }

    // With a clock, Update Rig and Blank Rig first save the channels they change in a backup
    // named by its date and time; without one (nullptr, the default) they save nothing.
    void setClock(const Clock* clock) { backup_.setClock(clock); }

    // Told of each operation's progress, verdicts and outcome, in the order they were added.
    void addListener(MemoryListener* listener);
    void removeListener(MemoryListener* listener);
    // Every step of Create File, Update Rig, View Rig and Blank Rig goes as soon as the last
    // one's answer is in, not only the reading before a change: the command line's pace. The
    // window keeps its 300 ms steps, which let the operator watch each channel go by.
    void setLinePacedThroughout(bool throughout) { linePacedThroughout_ = throughout; }
    // Whether Create File's channel lines carry each channel's whole record (they do unless told not to).
    void setCreateWithRecords(bool withRecords) { createFile_.setWithRecords(withRecords); }
    // The backup the last change saved first, "" when none was made.
    const QString& lastBackup() const { return backup_.lastPath(); }

private:
    void tick(Stepper& stepper);
    // The running operation that goes at the line's pace now, if any.
    Stepper* linePacedStepper();
    // What an operation needs before it may start, beside being the only one running.
    struct Needs {
        bool dataFile = false;
        bool radio = false;
    };
    // One operation at a time, then a data file and an open port where it needs them: the
    // first of these that fails refuses the start.
    std::optional<Refused> refuseToStart(const QString& operation, Needs needs) const;
    std::optional<Refused> refuseWhileBusy(const QString& operation) const;
    std::optional<Refused> refuseWithoutRadio(const QString& operation) const;
    std::optional<Refused> refuseWithoutDataFile(const QString& operation) const;
    // A stepper's start, told as the faces hear it; the backup a run makes is its own.
    StartResult started(Stepper& stepper, std::optional<Refused> refused);
    // Every operation off and its state at rest, as Stop leaves it.
    void stopAll();
    void haltWith(StopKind kind, const QString& text);
    // After a step: a reading before the change that is over is told so, and the faces that keep
    // lines standing over the run's messages are told the step is over.
    void settleStep();
    // The listeners hear what the step just taken did, and how the run ended.
    void tellProgress(const Stepper& stepper);
    void tellVerdicts(const Stepper& stepper);
    // The outcome of `stepper`'s run, its verdicts told first; and the outcome told.
    MemoryOutcome outcomeOf(const Stepper& stepper, std::optional<StopKind> stopped, const QString& why, QString advice);
    void tellEnd(const MemoryOutcome& outcome);
    template <typename Call> void tellEach(Call call);

    ProgramState& state_;
    SerialLink& link_;
    DataFile& dataFile_;
    RunAdvice advice_;
    std::array<std::unique_ptr<Timer>, 6> timers_;
    std::unique_ptr<Timer> paceTimer_;
    StepAnswers answers_;
    OperationContext context_;
    ChannelBackup backup_;
    CreateFile createFile_;
    ViewFile viewFile_;
    UpdateRig updateRig_;
    ViewRig viewRig_;
    BlankRig blankRig_;
    ScanRig scanRig_;
    ChannelBackup compareReading_;  // never given a clock: reads, saves nothing
    CompareRig compareRig_;
    std::function<void()> displayChanged_;
    std::vector<MemoryListener*> listeners_;
    QString backupBefore_;  // lastBackup() when the running operation started
    bool linePacedThroughout_ = false;
    Stepper* current_ = nullptr;  // the operation ticked last
    std::size_t verdictsTold_ = 0;
    bool halted_ = false;
    bool reading_ = false;  // a reading before the change was under way at the last step's end
};

}  // namespace talvex
