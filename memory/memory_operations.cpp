#include "memory/memory_operations.h"

namespace talvex {

namespace {

constexpr int kStepIntervalMs = 300;
constexpr int kScanIntervalMs = 1100;

}  // namespace

MemoryOperations::MemoryOperations(ProgramState& state, RadioOperations& radio, DataFile& dataFile,
                                   Dialogs& dialogs, TimerFactory& timers)
    : state_(state), radio_(radio), dataFile_(dataFile), dialogs_(dialogs)
{
    using Step = void (MemoryOperations::*)();
    const std::array<Step, 6> steps{&MemoryOperations::Timer1_Timer, &MemoryOperations::Timer2_Timer,
                                    &MemoryOperations::Timer3_Timer, &MemoryOperations::Timer4_Timer,
                                    &MemoryOperations::Timer5_Timer, &MemoryOperations::Timer6_Timer};
    // The six timers run from the start; a tick does nothing unless its operation's flag is set.
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        timers_[i] = timers.create(i == 5 ? kScanIntervalMs : kStepIntervalMs, true);
        timers_[i]->onTick([this, step = steps[i]] { tick(step); });
    }
}

void MemoryOperations::tick(void (MemoryOperations::*step)())
{
    (this->*step)();
    if (displayChanged_)
        displayChanged_();
}

QString MemoryOperations::busyTitle() { return QStringLiteral("Memory Operations"); }

QString MemoryOperations::busyText()
{
    return QStringLiteral("A memory operation is running ... Stop it first.");
}

bool MemoryOperations::refuseWhileBusy()
{
    if (!state_.anyMemoryOperationRunning())
        return false;
    dialogs_.message(busyTitle(), busyText(), MessageIcon::None, MessageButtons::Ok);
    return true;
}

bool MemoryOperations::refuseWithoutRadio(const QString& operation)
{
    if (state_.PortReady == 1)
        return false;
    dialogs_.critical(operation, QStringLiteral("The serial port is not open ... ") + operation
                                     + QStringLiteral(" needs the radio ... Check System Setup."));
    return true;
}

bool MemoryOperations::radioStillThere(const QString& operation)
{
    if (state_.PortReady == 1)
        return true;
    haltWith(operation, QStringLiteral("The serial port closed ... ") + operation + QStringLiteral(" stopped."));
    return false;
}

bool MemoryOperations::fileStillOpen(const QString& operation)
{
    if (dataFile_.isOpen())
        return true;
    haltWith(operation, QStringLiteral("The data file is not open ... ") + operation + QStringLiteral(" stopped."));
    return false;
}

void MemoryOperations::haltWith(const QString& title, const QString& text)
{
    const bool wasCreating = state_.CreatingFile;
    state_.CreatingFile = state_.ViewingFile = state_.UpdatingRig = false;
    state_.ViewingRig = state_.BlankingRig = state_.ScanningRig = false;
    state_.ChannelCounter = 0;
    state_.ScanStopRequest = false;
    state_.ClearAfterSelect = false;
    state_.EntriesPreset = false;
    state_.AutoStatus = true;
    if (wasCreating) {
        // The old file was never touched: it becomes the open data file again.
        newFile_.discard();
        dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    }
    dialogs_.critical(title, text);
}

void MemoryOperations::showEnd()
{
    MemoryFields& m = state_.memory;
    m.Text1 = QStringLiteral("END");
    m.Text2.clear();
    m.Text3.clear();
    m.Text4.clear();
    m.Text5.clear();
    m.Text6.clear();
    m.Text7 = QStringLiteral("END");
}

void MemoryOperations::Command8_Click()
{
    state_.CreatingFile = state_.ViewingFile = state_.UpdatingRig = false;
    state_.ViewingRig = state_.BlankingRig = state_.ScanningRig = false;
    state_.memory.clearShown();
    newFile_.discard();
    dataFile_.CloseDataFile();
    state_.ChannelCounter = 0;
    state_.ScanStopRequest = false;
    state_.ClearAfterSelect = false;
    state_.EntriesPreset = false;
    state_.AutoStatus = true;
}

void MemoryOperations::discardUnfinishedFile() { newFile_.discard(); }

}  // namespace talvex
