#pragma once

#include "memory/data_line.h"
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

#include <map>

namespace talvex::testing {

using Frames = QStringList;

// A radio memory channel, as the radio holds it.
struct RadioChannel {
    int channel = 1;
    QString digits = {};  // MMkkkh; empty for a blank channel
    int mode = 1;
    int filter = 1;
    bool selected = false;
    QString label = {};
};

// Channel n of a sample radio: every tenth blank, the others each with its own frequency, mode,
// filter and select, labelled "CH n" (33 and 34 with a tab and bytes above 7E in the label).
RadioChannel SampleChannel(int n);
// The 41 contents bytes of `c`, as a memory read answers them and a memory write sends them.
QByteArray ContentsOf(const RadioChannel& c);
// The sample radio's channels as Update Rig writes them back from SampleFile.
std::map<int, QByteArray> SampleMemory();
// TALVEX.TXT as Create File writes it of the sample radio, byte for byte.
QByteArray SampleFile();
// The frames Update Rig sends for one channel line: memory mode, the write, then the read-back.
Frames WriteFrames(const RadioChannel& c);
// The frames of a cleared channel.
Frames ClearFrames(int channel);
// Every message shown so far, as "title|text".
QStringList Shown(const TestProgram& t);

// A program with its port open, a scripted radio answering and helpers for running the
// memory operations against it.
struct MemoryRig : OpenProgram {
    ProgramState& state() const { return program->state; }
    MemoryOperations& memory() const { return program->memory; }
    // Scripts the next question's answer, then the inputs asked after it.
    void answer(MessageAnswer first = MessageAnswer::Yes, const QList<std::optional<QString>>& inputs = {});
    // Writes TALVEX.TXT and opens it as the data file.
    void useFile(const QByteArray& contents);
    // Ticks memory timer `timer` until no operation runs, `lateTicks` more each while an answer
    // is awaited (none of which may send anything), then once more, which must send nothing.
    // Every frame sent; `ticks` counts the ticks.
    Frames run(int timer, int lateTicks = 0);
    // Fills the radio with the sample channels.
    void fillRadio();
    int ticks = 0;
};

}  // namespace talvex::testing
