#pragma once

#include "state/program_state.h"
#include "link/serial_link.h"
#include "memory/backup.h"
#include "memory/compare_rig.h"
#include "memory/create_file.h"
#include "datafile/data_file.h"
#include "memory/memory_listener.h"
#include "memory/rig_steppers.h"
#include "memory/step_answers.h"
#include "memory/update_rig.h"
#include "memory/view_file.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/timer.h"
#include "radio/radio_operations.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace talvex {

// The Memory Operations window's long operations, one step a timer tick: Create File, View
// File, Update Rig, View Rig, Blank Rig and Scan Rig. They never build frames: they call the
// radio's memory procedures with the channels they work on.
//
// One operation runs at a time: they share the channel counter and the one data file.
class MemoryOperations {
public:
    MemoryOperations(ProgramState& state, RadioOperations& radio, SerialLink& link, DataFile& dataFile,
                     Dialogs& dialogs, TimerFactory& timers);
    MemoryOperations(const MemoryOperations&) = delete;
    MemoryOperations& operator=(const MemoryOperations&) = delete;

    void Command1_Click();   // Create File
    void Command2_Click();   // View File
    void Command3_Click();   // Update Rig, current data file
    void Command14_Click();  // Update Rig from "TALVEX.txt"
    void Command17_Click();  // "Ham.txt"
    void Command16_Click();  // "CB.txt"
    void Command21_Click();  // "Tele.txt"
    void Command22_Click();  // "Sw + Air.txt"
    void Command23_Click();  // "Empty.txt"
    void Command4_Click();   // View Rig
    void Command5_Click();   // Blank Rig, or its stop question while it runs
    void Command6_Click();   // Scan Rig, or its stop question while it runs
    void Command8_Click();   // Stop (Command10, Command15 and a click into Text7 do the same)
    void Command11_Click() { Command5_Click(); }  // Pause
    void Command12_Click() { Command6_Click(); }  // Pause

    void Timer1_Timer() { tick(createFile_); }  // Create File step
    void Timer2_Timer() { tick(viewFile_); }    // View File step
    void Timer3_Timer()  // Update Rig step, or Compare Rig's
    {
        tick(updateRig_);
        tick(compareRig_);
    }
    void Timer4_Timer() { tick(viewRig_); }     // View Rig step
    void Timer5_Timer() { tick(blankRig_); }    // Blank Rig step
    void Timer6_Timer() { tick(scanRig_); }     // Scan Rig step

    // Compare Rig: what Update Rig would do with `lines` (a data file's), read from the radio
    // and planned without changing it; comparison() holds the plans once it has ended.
    void compareRig(const QStringList& lines);
    const CompareRig& comparison() const { return compareRig_; }

    // Steps at the line's pace: armed when an answer window closes on a step whose operation
    // goes as soon as its answer is in (the reading before a change), it fires at once.
    Timer& paceTimer() const { return *paceTimer_; }

    // Timer1 ... Timer6 by number.
    Timer& timer(int number) const { return *timers_.at(static_cast<std::size_t>(number - 1)); }

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

    // Told of each operation's progress, verdicts and end; none by default (the windows draw
    // from the state).
    void setListener(MemoryListener* listener) { listener_ = listener; }
    // Every step of Create File, Update Rig, View Rig and Blank Rig goes as soon as the last
    // one's answer is in, not only the reading before a change: the command line's pace. The
    // window keeps its 300 ms steps, which let the operator watch each channel go by.
    void setLinePacedThroughout(bool throughout) { linePacedThroughout_ = throughout; }
    // Whether Create File's channel lines carry each channel's whole record (they do unless told not to).
    void setCreateWithRecords(bool withRecords) { createFile_.setWithRecords(withRecords); }
    // Stops whatever runs, as Stop does (a file being created and a backup being saved are thrown
    // away), after telling the listener every verdict so far.
    void interrupt();
    // The backup the last change saved first, "" when none was made.
    const QString& lastBackup() const { return backup_.lastPath(); }

private:
    void tick(Stepper& stepper);
    // The running operation that goes at the line's pace now, if any.
    Stepper* linePacedStepper();
    // One operation at a time: true (and the operator told) when another runs.
    bool refuseWhileBusy(const QString& operation);
    bool refuseWithoutRadio(const QString& operation);
    bool refuseWithoutDataFile(const QString& operation);
    void startUpdate(const QString& fileName);
    // Every operation off and its state at rest, as Stop leaves it.
    void stopAll();
    void haltWith(StopKind kind, const QString& title, const QString& text);
    // The running operation's name and what it found so far, when it found anything to tell.
    std::optional<std::pair<QString, QString>> foundSoFar() const;
    // After a step: the lines that hold Text7 stand only as long as what they stand for.
    void settleStandingLines(const Stepper& stepper);
    // Stopped by the operator: what stood in Text7 goes with the operation, unreported.
    void dropStandingLines();
    // The listener hears what the step just taken did.
    void tellProgress(const Stepper& stepper);
    void tellVerdicts(const Stepper& stepper);

    ProgramState& state_;
    DataFile& dataFile_;
    Dialogs& dialogs_;
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
    MemoryListener* listener_ = nullptr;
    bool linePacedThroughout_ = false;
    Stepper* current_ = nullptr;  // the operation ticked last
    std::size_t verdictsTold_ = 0;
    bool halted_ = false;
};

}  // namespace talvex
