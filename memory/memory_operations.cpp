#include "memory/memory_operations.h"

#include "link/radio_model.h"

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
               [this](StopKind kind, const QString& title, const QString& text) { haltWith(kind, title, text); }},
      backup_(context_, dataFile.workingDirectory()),
      createFile_(context_),
      viewFile_(context_),
      updateRig_(context_, backup_),
      viewRig_(context_),
      blankRig_(context_, backup_),
      scanRig_(context_, *timers_[5]),
      compareReading_(context_, dataFile.workingDirectory()),
      compareRig_(context_, compareReading_)
{
    compareReading_.setReadingText(QStringLiteral("Reading channel %1 of %2 to compare"));
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
    for (Stepper* stepper : std::initializer_list<Stepper*>{&updateRig_, &blankRig_, &createFile_, &viewRig_, &compareRig_}) {
        if (stepper->running() && (stepper->linePaced() || linePacedThroughout_))
            return stepper;
    }
    return nullptr;
}

void MemoryOperations::tick(Stepper& stepper)
{
    // Six timers tick all the time; one whose operation is off changes nothing to redraw.
    if (!stepper.running())
        return;
    current_ = &stepper;
    halted_ = false;
    stepper.tick();
    if (listener_ && !halted_) {
        tellVerdicts(stepper);
        if (stepper.running()) {
            tellProgress(stepper);
        } else {
            const ChannelReport nothingCounted;
            listener_->finished(stepper.name(), stepper.report() ? *stepper.report() : nothingCounted);
            verdictsTold_ = 0;
        }
    }
    settleStandingLines(stepper);
    if (displayChanged_)
        displayChanged_();
}

void MemoryOperations::tellVerdicts(const Stepper& stepper)
{
    const ChannelReport* report = stepper.report();
    if (!report)
        return;
    const auto& verdicts = report->verdicts();
    if (verdicts.size() < verdictsTold_)
        verdictsTold_ = 0;  // a new run began
    for (; verdictsTold_ < verdicts.size(); ++verdictsTold_)
        listener_->verdict(verdicts[verdictsTold_].channel, verdicts[verdictsTold_].why);
}

void MemoryOperations::tellProgress(const Stepper& stepper)
{
    for (const ChannelBackup* reading : {&backup_, &compareReading_}) {
        if (reading->isOpen()) {
            listener_->progress(state_.BackupProgress, reading->readSoFar(), reading->toRead());
            return;
        }
    }
    // Update Rig goes by the file's lines, not the counter; Blank Rig has counted on past its
    // channel by now.
    const int shown = &stepper == &updateRig_ ? updateRig_.channel()
                      : &stepper == &blankRig_ ? state_.ChannelCounter - 1
                                               : state_.ChannelCounter;
    listener_->progress(stepper.name() + QStringLiteral(": channel ") + QString::number(shown), shown,
                        kRadio.lastChannel);
}

void MemoryOperations::interrupt()
{
    if (listener_ && current_)
        tellVerdicts(*current_);
    verdictsTold_ = 0;
    Command8_Click();
}

// A backup's progress stands while the backup is being saved. The connection advice stands over
// whatever the step wrote until the operation ends; an operation whose end reports nothing else
// (Create File, View File, Scan Rig) repeats it in a message of its own.
void MemoryOperations::settleStandingLines(const Stepper& stepper)
{
    if (!backup_.isOpen() && !compareReading_.isOpen())
        state_.BackupProgress.clear();
    if (state_.anyMemoryOperationRunning()) {
        state_.showMemoryMessage(state_.memory.Text7);
        return;
    }
    if (const QString advice = context_.takeAdvice(); !advice.isEmpty())
        dialogs_.message(stepper.name(), advice, MessageIcon::None, MessageButtons::Ok);
}

bool MemoryOperations::refuseWhileBusy(const QString& operation)
{
    const auto running = RunningMemoryOperation(state_);
    if (!running)
        return false;
    dialogs_.message(kBusyTitle, BusyRefusal(*running, operation), MessageIcon::None, MessageButtons::Ok);
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
    const QString& name = createFile_.name();
    if (refuseWhileBusy(name) || refuseWithoutDataFile(name) || refuseWithoutRadio(name))
        return;
    createFile_.start();
}

void MemoryOperations::Command2_Click()
{
    if (refuseWhileBusy(viewFile_.name()) || refuseWithoutDataFile(viewFile_.name()))
        return;
    viewFile_.start();
}

void MemoryOperations::Command3_Click()
{
    const QString& name = updateRig_.name();
    if (refuseWhileBusy(name) || refuseWithoutDataFile(name) || refuseWithoutRadio(name))
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
    if (refuseWhileBusy(updateRig_.name()) || refuseWithoutRadio(updateRig_.name()))
        return;
    updateRig_.startWith(fileName);
}

void MemoryOperations::compareRig(const QStringList& lines)
{
    const QString& name = compareRig_.name();
    if (refuseWhileBusy(name) || refuseWithoutRadio(name))
        return;
    compareRig_.start(lines);
}

void MemoryOperations::Command4_Click()
{
    if (refuseWhileBusy(viewRig_.name()) || refuseWithoutRadio(viewRig_.name()))
        return;
    viewRig_.start();
}

void MemoryOperations::Command5_Click()
{
    if (state_.BlankingRig) {
        blankRig_.askToStop();
        if (!state_.BlankingRig)
            dropStandingLines();  // stopped by the operator, as Stop does
        return;
    }
    if (refuseWhileBusy(blankRig_.name()) || refuseWithoutRadio(blankRig_.name()))
        return;
    blankRig_.start();
}

void MemoryOperations::Command6_Click()
{
    if (state_.ScanningRig) {
        scanRig_.askToStop();
        return;
    }
    if (refuseWhileBusy(scanRig_.name()) || refuseWithoutRadio(scanRig_.name()))
        return;
    scanRig_.start();
}

void MemoryOperations::stopAll()
{
    state_.clearMemoryOperationFlags();
    for (Stepper* stepper : std::initializer_list<Stepper*>{&createFile_, &viewFile_, &updateRig_, &viewRig_,
                                                            &blankRig_, &scanRig_, &compareRig_})
        stepper->reset();
    state_.ChannelCounter = 0;
    state_.ScanStopRequest = false;
    state_.AutoStatus = true;
    dropStandingLines();
}

void MemoryOperations::dropStandingLines()
{
    state_.MemoryAdvice.clear();
    state_.BackupProgress.clear();
}

void MemoryOperations::haltWith(StopKind kind, const QString& title, const QString& text)
{
    const QString advice = context_.takeAdvice();
    const auto found = foundSoFar();
    const bool wasCreating = state_.CreatingFile;
    if (listener_ && current_ && current_->running()) {
        // The ledger goes with the stop: what was checked before the halt is told first.
        tellVerdicts(*current_);
        listener_->stopped(title, kind, text);
        verdictsTold_ = 0;
        halted_ = true;
    }
    stopAll();
    if (wasCreating) {
        // The old file was never touched: it becomes the open data file again.
        createFile_.discard();
        dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    }
    QStringList told{text};
    if (found)
        told << found->second;
    if (!advice.isEmpty())
        told << advice;
    dialogs_.critical(title, told.join(u'\n'));
}

void MemoryOperations::Command8_Click()
{
    const auto found = foundSoFar();
    stopAll();
    state_.memory.clearShown();
    createFile_.discard();
    dataFile_.CloseDataFile();
    // What the run had found before the Stop is not forgotten with it.
    if (found) {
        state_.memory.Text7 = found->second.section(u'\n', 0, 0);
        dialogs_.critical(found->first, QStringLiteral("Stopped before the end ... ") + found->second);
    }
}

std::optional<std::pair<QString, QString>> MemoryOperations::foundSoFar() const
{
    for (const Stepper* stepper : std::initializer_list<const Stepper*>{&updateRig_, &viewRig_, &blankRig_}) {
        if (const QString found = stepper->foundSoFar(); stepper->running() && !found.isEmpty())
            return std::pair(stepper->name(), found);
    }
    return std::nullopt;
}

}  // namespace talvex
