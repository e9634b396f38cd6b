#include "memory/memory_operations.h"

#include "link/radio_model.h"

#include <algorithm>

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
                                   DataFile& dataFile, TimerFactory& timers)
    : state_(state),
      link_(link),
      dataFile_(dataFile),
      timers_(MakeTimers(timers)),
      paceTimer_(timers.create(0, false)),
      answers_(link),
      context_{state, radio, dataFile, answers_,
               [this](StopKind kind, const QString&, const QString& text) { haltWith(kind, text); },
               [this](const std::function<void(MemoryListener&)>& tell) { tellEach(tell); }},
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
    compareReading_.setReadingPurpose(ReadingProgress::Purpose::ReadToCompare);
    const std::array<std::vector<Stepper*>, 6> stepped{{{&createFile_},
                                                        {&viewFile_},
                                                        {&updateRig_, &compareRig_},
                                                        {&viewRig_},
                                                        {&blankRig_},
                                                        {&scanRig_}}};
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        timers_[i]->onTick([this, steppers = stepped[i]] {
            for (Stepper* stepper : steppers)
                tick(*stepper);
        });
    }
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
    link_.addListener(advice_);
}

MemoryOperations::~MemoryOperations() { link_.removeListener(advice_); }

void MemoryOperations::addListener(MemoryListener* listener)
{
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void MemoryOperations::removeListener(MemoryListener* listener) { std::erase(listeners_, listener); }

// A listener may remove itself (or another) while it is told: each is told only while it listens.
template <typename Call> void MemoryOperations::tellEach(Call call)
{
    const std::vector<MemoryListener*> listening = listeners_;
    for (MemoryListener* listener : listening) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            call(*listener);
    }
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
    if (!halted_) {
        tellVerdicts(stepper);
        if (stepper.running())
            tellProgress(stepper);
        else
            tellEnd(outcomeOf(stepper, std::nullopt, QString(), advice_.take()));
    }
    settleStep();
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
    for (; verdictsTold_ < verdicts.size(); ++verdictsTold_) {
        const ChannelVerdict& told = verdicts[verdictsTold_];
        tellEach([&told](MemoryListener& listener) { listener.verdict(told.channel, told.why); });
    }
}

void MemoryOperations::tellProgress(const Stepper& stepper)
{
    for (const ChannelBackup* reading : {&backup_, &compareReading_}) {
        if (reading->isOpen()) {
            const QString what = reading->progressText();
            const int done = reading->readSoFar();
            const int of = reading->toRead();
            tellEach([&](MemoryListener& listener) { listener.progress(what, done, of); });
            return;
        }
    }
    // Update Rig goes by the file's lines, not the counter; Blank Rig has counted on past its
    // channel by now.
    const int shown = &stepper == &updateRig_ ? updateRig_.channel()
                      : &stepper == &blankRig_ ? state_.ChannelCounter - 1
                                               : state_.ChannelCounter;
    tellEach([&](MemoryListener& listener) { listener.step(stepper.name(), shown, kRadio.lastChannel); });
}

MemoryOutcome MemoryOperations::outcomeOf(const Stepper& stepper, std::optional<StopKind> stopped, const QString& why,
                                          QString advice)
{
    tellVerdicts(stepper);
    verdictsTold_ = 0;
    MemoryOutcome outcome;
    outcome.operation = stepper.name();
    outcome.stopped = stopped;
    outcome.why = why;
    if (const ChannelReport* report = stepper.report()) {
        outcome.report = *report;
        outcome.counts = true;
    }
    outcome.advice = std::move(advice);
    if (lastBackup() != backupBefore_)
        outcome.backup = lastBackup();
    if (stopped && outcome.counts) {
        outcome.found = stepper.foundSoFar();
        // Stopped by the operator after channels changed: the count of them is what was found.
        const ChannelReport& report = outcome.report;
        const bool changes = &stepper == &updateRig_ || &stepper == &blankRig_;
        if (outcome.found.isEmpty() && *stopped == StopKind::Operator && changes
            && report.verifiedCount() + report.failedCount() > 0)
            outcome.found = report.summary(stepper.name());
    }
    return outcome;
}

void MemoryOperations::tellEnd(const MemoryOutcome& outcome)
{
    tellEach([&outcome](MemoryListener& listener) { listener.ended(outcome); });
}

void MemoryOperations::settleStep()
{
    const bool reading = backup_.isOpen() || compareReading_.isOpen();
    if (std::exchange(reading_, reading) && !reading)
        tellEach([](MemoryListener& listener) { listener.backupEnded(); });
    if (state_.anyMemoryOperationRunning())
        tellEach([](MemoryListener& listener) { listener.stepSettled(); });
}

std::optional<Refused> MemoryOperations::refuseWhileBusy(const QString& operation) const
{
    const auto running = RunningMemoryOperation(state_);
    if (!running)
        return std::nullopt;
    return Refused{RefusalReason::Busy, kBusyTitle, BusyRefusal(*running, operation), false};
}

std::optional<Refused> MemoryOperations::refuseWithoutRadio(const QString& operation) const
{
    if (state_.PortReady == 1)
        return std::nullopt;
    return Refused{RefusalReason::NoRadio, operation,
                   QStringLiteral("The serial port is not open ... ") + operation
                       + QStringLiteral(" needs the radio ... Check System Setup.")};
}

std::optional<Refused> MemoryOperations::refuseWithoutDataFile(const QString& operation) const
{
    if (!state_.CurrentDataFile.isEmpty())
        return std::nullopt;
    return Refused{RefusalReason::NoDataFile, operation,
                   QStringLiteral("No data file is chosen ... Change Data File chooses one.")};
}

std::optional<Refused> MemoryOperations::refuseToStart(const QString& operation, Needs needs) const
{
    if (auto refused = refuseWhileBusy(operation))
        return refused;
    if (needs.dataFile) {
        if (auto refused = refuseWithoutDataFile(operation))
            return refused;
    }
    return needs.radio ? refuseWithoutRadio(operation) : std::nullopt;
}

StartResult MemoryOperations::started(Stepper& stepper, std::optional<Refused> refused)
{
    if (refused)
        return *std::move(refused);
    current_ = &stepper;
    verdictsTold_ = 0;
    return Started{};
}

StartResult MemoryOperations::createFile(const MemoryRequest& request)
{
    std::optional<Refused> refused = refuseToStart(createFile_.name(), {.dataFile = true, .radio = true});
    if (!refused)
        refused = createFile_.start(request);
    return started(createFile_, std::move(refused));
}

StartResult MemoryOperations::viewFile(const MemoryRequest&)
{
    std::optional<Refused> refused = refuseToStart(viewFile_.name(), {.dataFile = true});
    if (!refused)
        refused = viewFile_.start();
    return started(viewFile_, std::move(refused));
}

StartResult MemoryOperations::updateRig(const MemoryRequest& request)
{
    // A named file of the working folder needs no data file chosen.
    std::optional<Refused> refused =
        refuseToStart(updateRig_.name(), {.dataFile = request.file.isEmpty(), .radio = true});
    if (!refused) {
        backupBefore_ = lastBackup();
        refused = updateRig_.start(request);
    }
    return started(updateRig_, std::move(refused));
}

StartResult MemoryOperations::compareRig(const MemoryRequest& request)
{
    std::optional<Refused> refused = refuseToStart(compareRig_.name(), {.radio = true});
    if (!refused) {
        backupBefore_ = lastBackup();
        refused = compareRig_.start(request.lines);
    }
    return started(compareRig_, std::move(refused));
}

StartResult MemoryOperations::viewRig(const MemoryRequest&)
{
    std::optional<Refused> refused = refuseToStart(viewRig_.name(), {.radio = true});
    if (!refused)
        refused = viewRig_.start();
    return started(viewRig_, std::move(refused));
}

StartResult MemoryOperations::blankRig(const MemoryRequest& request)
{
    std::optional<Refused> refused = refuseToStart(blankRig_.name(), {.radio = true});
    if (!refused) {
        backupBefore_ = lastBackup();
        refused = blankRig_.start(request);
    }
    return started(blankRig_, std::move(refused));
}

StartResult MemoryOperations::scanRig(const MemoryRequest& request)
{
    std::optional<Refused> refused = refuseToStart(scanRig_.name(), {.radio = true});
    if (!refused)
        refused = scanRig_.start(request);
    return started(scanRig_, std::move(refused));
}

void MemoryOperations::abandonBlankRig()
{
    blankRig_.countInFlight();
    const MemoryOutcome outcome = outcomeOf(blankRig_, StopKind::Operator, QString(), QString());
    blankRig_.abandon();
    advice_.drop();  // stopped by the operator, as Stop does
    reading_ = false;
    tellEnd(outcome);
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
    advice_.drop();
    reading_ = false;
}

void MemoryOperations::haltWith(StopKind kind, const QString& text)
{
    QString advice = advice_.take();
    const bool wasCreating = state_.CreatingFile;
    Stepper* halted = current_ && current_->running() ? current_ : nullptr;
    std::optional<MemoryOutcome> outcome;
    if (halted) {
        halted->countInFlight();
        outcome = outcomeOf(*halted, kind, text, std::move(advice));
        halted_ = true;
    }
    // The file line of the channel Update Rig was writing is not what the radio holds.
    if (halted == &updateRig_)
        tellEach([](MemoryListener& listener) { listener.channelWithdrawn(); });
    stopAll();
    if (wasCreating) {
        // The old file was never touched: it becomes the open data file again.
        createFile_.discard();
        context_.tellOpening(dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input), true);
    }
    // Told once everything is at rest: a face's message box lets the event loop run, and no
    // step of the halted operation may come meanwhile.
    if (outcome)
        tellEnd(*outcome);
}

void MemoryOperations::stop()
{
    Stepper* stopped = nullptr;
    for (Stepper* stepper : std::initializer_list<Stepper*>{&createFile_, &viewFile_, &updateRig_, &viewRig_,
                                                            &blankRig_, &scanRig_, &compareRig_}) {
        if (stepper->running())
            stopped = stepper;
    }
    // What the run had found before the Stop is not forgotten with it: its first line is told
    // last.
    std::optional<MemoryOutcome> outcome;
    if (stopped) {
        stopped->countInFlight();
        outcome = outcomeOf(*stopped, StopKind::Operator, QString(), QString());
    }
    stopAll();
    tellEach([](MemoryListener& listener) { listener.channelWithdrawn(); listener.told(QString()); });
    createFile_.discard();
    dataFile_.CloseDataFile();
    if (!outcome)
        return;
    if (!outcome->found.isEmpty()) {
        const QString first = outcome->found.section(u'\n', 0, 0);
        tellEach([&first](MemoryListener& listener) { listener.told(first); });
    }
    tellEnd(*outcome);
}

}  // namespace talvex
