#pragma once

#include "state/program_state.h"
#include "memory/channel_checks.h"
#include "datafile/data_file.h"
#include "memory/memory_listener.h"
#include "memory/memory_request.h"
#include "memory/step_answers.h"
#include "memory/stop_kind.h"
#include "radio/radio_operations.h"

#include <QString>

#include <functional>

namespace talvex {

// What every memory operation works with: the shared state, the radio's procedures
// (the operations never build frames), the data file and the answers to the last step.
struct OperationContext {
    ProgramState& state;
    RadioOperations& radio;
    DataFile& dataFile;
    StepAnswers& answers;
    // Ends whatever runs, as Stop does, and tells every listener why.
    std::function<void(StopKind kind, const QString& title, const QString& text)> halt;
    // Tells every listener what the run does.
    std::function<void(const std::function<void(MemoryListener&)>& tell)> tellEach;

    // The run has come to its end by itself.
    void showEnd();
    // What reopening the data file said on the way (a missing file created), and, where no
    // refusal carries it, why it stays closed.
    void tellOpening(const FileOpening& opening, bool failureToo = false);
    // At an operation's end: its count, told when the operation counts the channels it left
    // alone or when a channel did not verify. The faces tell the rest from the outcome.
    void reportEnd(const QString& operation, const ChannelReport& report);
    // foundSoFar() of an operation that keeps `report`.
    static QString Found(const QString& operation, const ChannelReport& report);
};

// One long operation of the Memory window, one step a timer tick. A step that sends frames
// waits for their answer window to close; the next tick first checks what came back, then
// takes the next step. Ticks that come while the answer is still awaited do nothing, so the
// pace follows the radio, never outruns it.
class Stepper {
public:
    Stepper(OperationContext& context, bool& flag, QString name);
    virtual ~Stepper() = default;
    Stepper(const Stepper&) = delete;
    Stepper& operator=(const Stepper&) = delete;

    void tick();
    bool running() const { return running_; }
    // Stop: whatever was awaited is forgotten.
    virtual void reset() { awaiting_ = false; }
    const QString& name() const { return name_; }
    // The next step goes as soon as the last one's answer is in, not at the next tick.
    virtual bool linePaced() const { return false; }
    // The channels checked so far in this run, for an operation that checks them.
    virtual const ChannelReport* report() const { return nullptr; }
    // What the run found so far that the operator must hear even when it ends early (a channel
    // that did not verify, a kept split): the summary and one line a channel; nothing when none.
    QString foundSoFar() const
    {
        const ChannelReport* checked = report();
        return checked ? OperationContext::Found(name_, *checked) : QString();
    }
    // The run is stopped while a change is on its way: the channel it was sent to goes into the
    // report as written but not verified, never left out of the count.
    virtual void countInFlight() {}

protected:
    virtual void step() = 0;
    // The answers to the previous step. May end the operation.
    virtual void check(const Exchange&) {}
    virtual bool usesRadio() const { return true; }
    // The step is about to send its frames: their answer is checked at the next tick.
    void expectAnswer();
    void halt(StopKind kind, const QString& text) { c_.halt(kind, name_, text); }
    // A refusal of this operation, with what the operator is shown.
    Refused refuse(RefusalReason reason, const QString& text, bool critical = true) const
    {
        return {reason, name_, text, critical};
    }

    OperationContext& c_;
    bool& running_;

private:
    QString name_;
    bool awaiting_ = false;
};

}  // namespace talvex
