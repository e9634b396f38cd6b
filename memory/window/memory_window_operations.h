#pragma once

#include "memory/memory_listener.h"
#include "memory/memory_request.h"
#include "platform/program_exit.h"

#include <QString>

#include <functional>

namespace talvex {

class Dialogs;
class MemoryOperations;
struct MemoryFields;
struct ProgramState;

// The Memory window's procedures: each asks the operator what its operation needs (the
// confirmation, Blank and Scan Rig's channels, whether to write the lines the radio can take
// when some cannot), starts the engine with the answers, and shows its refusals and its end in
// message boxes. The window's control table maps each control to one of these.
class MemoryWindowOperations final : public MemoryListener {
public:
    // `fields`: the window's fields, whose message line an end box repeats.
    MemoryWindowOperations(ProgramState& state, MemoryOperations& memory, Dialogs& dialogs, ProgramExit& exit,
                           const MemoryFields& fields);
    ~MemoryWindowOperations() override;
    MemoryWindowOperations(const MemoryWindowOperations&) = delete;
    MemoryWindowOperations& operator=(const MemoryWindowOperations&) = delete;

    void createFile();
    void viewFile();
    void updateRig();
    // Update Rig from a file of the working folder ("Ham.txt").
    void updateRigFrom(const QString& fileName);
    void viewRig();
    // Blank Rig, or while it runs the question whether to stop it.
    void blankRig();
    // Scan Rig, or while it runs the question whether to stop it.
    void scanRig();
    void stop();

    void ended(const MemoryOutcome& outcome) override;
    void dataFileSaid(const FileNotice& notice) override;

private:
    using Start = StartResult (MemoryOperations::*)(const MemoryRequest&);
    // Starts `start` with `request`, asking each question its refusals carry until it starts or
    // is refused for good; a refusal is shown. True when it started.
    bool run(Start start, MemoryRequest request,
             const std::function<bool(MemoryRequest&)>& askRange = {});
    bool askBlankRange(MemoryRequest& request);
    bool askScanRange(MemoryRequest& request);
    void show(const Refused& refused);

    ProgramState& state_;
    MemoryOperations& memory_;
    Dialogs& dialogs_;
    ProgramExit& exit_;
    const MemoryFields& fields_;
};

}  // namespace talvex
