#pragma once

#include "link/program_state.h"
#include "memory/data_file.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"
#include "platform/timer.h"
#include "radio/radio_operations.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace talvex {

// The Memory Operations window's long operations, one step a timer tick: Create File, View
// File, Update Rig, View Rig, Blank Rig and Scan Rig. They never build frames: they set the
// shared entry variables and call the Radio window's memory procedures.
//
// One operation runs at a time: they share the channel counter and the one data file.
class MemoryOperations {
public:
    MemoryOperations(ProgramState& state, RadioOperations& radio, DataFile& dataFile, Dialogs& dialogs,
                     TimerFactory& timers);
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

    void Timer1_Timer();  // Create File step
    void Timer2_Timer();  // View File step
    void Timer3_Timer();  // Update Rig step
    void Timer4_Timer();  // View Rig step
    void Timer5_Timer();  // Blank Rig step
    void Timer6_Timer();  // Scan Rig step

    // Timer1 ... Timer6 by number.
    Timer& timer(int number) const { return *timers_.at(static_cast<std::size_t>(number - 1)); }

    // Called after every tick, so the windows redraw what the step changed.
    void setDisplayChanged(std::function<void()> changed) { displayChanged_ = std::move(changed); }

    // The program is ending: a file being created is thrown away, the old one kept.
    void discardUnfinishedFile();

    // Title of the message shown when something is refused while an operation runs.
    static QString busyTitle();
    static QString busyText();

private:
    bool refuseWhileBusy();
    bool refuseWithoutRadio(const QString& operation);
    bool radioStillThere(const QString& operation);
    void showEnd();
    void tick(void (MemoryOperations::*step)());
    void haltWith(const QString& title, const QString& text);
    bool fileStillOpen(const QString& operation);
    void endCreateFile();
    void requestChannel(int channel);
    void writeChannelLine(int channel);
    void startUpdate(const QString& fileName);
    void updateFromLine(const QString& line);
    void showLine(const QString& line);
    // Asks the first and last channel into FirstChannel and LastChannel; false on Cancel.
    bool askChannelRange(const QString& firstPrompt, const QString& firstTitle, const QString& lastPrompt,
                         const QString& lastTitle);
    void askToStopBlanking();
    void askToStopScanning();

    ProgramState& state_;
    RadioOperations& radio_;
    DataFile& dataFile_;
    Dialogs& dialogs_;
    std::array<std::unique_ptr<Timer>, 6> timers_;
    ReplacingTextFile newFile_;
    bool updateAwaitsRadio_ = false;  // Update Rig wrote a channel; the radio must answer it
    std::function<void()> displayChanged_;
};

}  // namespace talvex
