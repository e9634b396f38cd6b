#include "memory/memory_operations.h"

namespace talvex {

namespace {

constexpr int kStepIntervalMs = 300;
constexpr int kScanIntervalMs = 1100;

std::array<std::unique_ptr<Timer>, 6> MakeTimers(TimerFactory& timers)
{
    // The six timers run from the start; a tick does nothing unless its operation's flag is set.
    std::array<std::unique_ptr<Timer>, 6> made;
    for (std::size_t i = 0; i < made.size(); ++i)
        made[i] = timers.create(i == 5 ? kScanIntervalMs : kStepIntervalMs, true);
    return made;
}

}  // namespace

MemoryOperations::MemoryOperations(ProgramState& state, RadioOperations& radio, SerialLink& link,
                                   DataFile& dataFile, Dialogs& dialogs, TimerFactory& timers)
    : state_(state),
      dataFile_(dataFile),
      dialogs_(dialogs),
      timers_(MakeTimers(timers)),
      paceTimer_(timers.create(0, false)),
      answers_(link),
      context_{state, radio, dataFile, dialogs, answers_,
               [this](const QString& title, const QString& text) { haltWith(title, text); }},
      backup_(context_, dataFile.workingDirectory()),
      createFile_(context_),
      viewFile_(context_),
      updateRig_(context_, backup_),
      viewRig_(context_),
      blankRig_(context_, backup_),
      scanRig_(context_, *timers_[5])
{
    const std::array<void (MemoryOperations::*)(), 6> steps{
        &MemoryOperations::Timer1_Timer, &MemoryOperations::Timer2_Timer, &MemoryOperations::Timer3_Timer,
        &MemoryOperations::Timer4_Timer, &MemoryOperations::Timer5_Timer, &MemoryOperations::Timer6_Timer};
    for (std::size_t i = 0; i < timers_.size(); ++i)
        timers_[i]->onTick([this, step = steps[i]] { (this->*step)(); });
    // The answer window closes inside the link's own tick: the next step is taken from the event
    // loop, not from inside it.
    answers_.setAnswered([this] {
        if (linePacedStepper())
            paceTimer_->setEnabled(true);
    });
    paceTimer_->onTick([this] {
        paceTimer_->setEnabled(false);
        if (Stepper* stepper = linePacedStepper())
            tick(*stepper);
    });
}

Stepper* MemoryOperations::linePacedStepper()
{
    for (Stepper* stepper : std::initializer_list<Stepper*>{&updateRig_, &blankRig_}) {
        if (stepper->running() && stepper->linePaced())
            return stepper;
    }
    return nullptr;
}

void MemoryOperations::tick(Stepper& stepper)
{
    // Six timers tick all the time; one whose operation is off changes nothing to redraw.
    if (!stepper.running())
        return;
    stepper.tick();
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

bool MemoryOperations::refuseWithoutDataFile(const QString& operation)
{
    if (!state_.CurrentDataFile.isEmpty())
        return false;
    dialogs_.critical(operation, QStringLiteral("No data file is chosen ... Change Data File chooses one."));
    return true;
}

void MemoryOperations::Command1_Click()
{
    if (refuseWhileBusy() || refuseWithoutDataFile(createFile_.name()) || refuseWithoutRadio(createFile_.name()))
        return;
    createFile_.start();
}

void MemoryOperations::Command2_Click()
{
    if (refuseWhileBusy() || refuseWithoutDataFile(viewFile_.name()))
        return;
    viewFile_.start();
}

void MemoryOperations::Command3_Click()
{
    if (refuseWhileBusy() || refuseWithoutDataFile(updateRig_.name()) || refuseWithoutRadio(updateRig_.name()))
        return;
    updateRig_.start();
}

void MemoryOperations::Command14_Click() { startUpdate(QStringLiteral("TALVEX.txt")); }
void MemoryOperations::Command17_Click() { startUpdate(QStringLiteral("Ham.txt")); }
void MemoryOperations::Command16_Click() { startUpdate(QStringLiteral("CB.txt")); }
void MemoryOperations::Command21_Click() { startUpdate(QStringLiteral("Tele.txt")); }
void MemoryOperations::Command22_Click() { startUpdate(QStringLiteral("Sw + Air.txt")); }
void MemoryOperations::Command23_Click() { startUpdate(QStringLiteral("Empty.txt")); }

void MemoryOperations::startUpdate(const QString& fileName)
{
    if (refuseWhileBusy() || refuseWithoutRadio(updateRig_.name()))
        return;
    updateRig_.startWith(fileName);
}

void MemoryOperations::Command4_Click()
{
    if (refuseWhileBusy() || refuseWithoutRadio(viewRig_.name()))
        return;
    viewRig_.start();
}

void MemoryOperations::Command5_Click()
{
    if (state_.BlankingRig) {
        blankRig_.askToStop();
        return;
    }
    if (refuseWhileBusy() || refuseWithoutRadio(blankRig_.name()))
        return;
    blankRig_.start();
}

void MemoryOperations::Command6_Click()
{
    if (state_.ScanningRig) {
        scanRig_.askToStop();
        return;
    }
    if (refuseWhileBusy() || refuseWithoutRadio(scanRig_.name()))
        return;
    scanRig_.start();
}

void MemoryOperations::stopAll()
{
    state_.clearMemoryOperationFlags();
    for (Stepper* stepper : std::initializer_list<Stepper*>{&createFile_, &viewFile_, &updateRig_, &viewRig_,
                                                            &blankRig_, &scanRig_})
        stepper->reset();
    state_.ChannelCounter = 0;
    state_.ScanStopRequest = false;
    state_.ClearAfterSelect = false;
    state_.EntriesPreset = false;
    state_.AutoStatus = true;
}

void MemoryOperations::haltWith(const QString& title, const QString& text)
{
    const bool wasCreating = state_.CreatingFile;
    stopAll();
    if (wasCreating) {
        // The old file was never touched: it becomes the open data file again.
        createFile_.discard();
        dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    }
    dialogs_.critical(title, text);
}

void MemoryOperations::Command8_Click()
{
    stopAll();
    state_.memory.clearShown();
    createFile_.discard();
    dataFile_.CloseDataFile();
}

}  // namespace talvex
