// View File: the current data file on screen, one line a tick.
#include "memory/memory_operations.h"

#include "memory/file_line.h"

namespace talvex {

void MemoryOperations::Command2_Click()
{
    if (refuseWhileBusy())
        return;
    dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    if (!dataFile_.isOpen())
        return;  // the open routine has said why
    state_.ViewingFile = true;
}

void MemoryOperations::Timer2_Timer()
{
    if (!state_.ViewingFile || !fileStillOpen(QStringLiteral("View File")))
        return;
    QString line;
    if (dataFile_.atEnd() || !dataFile_.ReadDataLine(line)) {
        state_.ViewingFile = false;
        state_.EntriesPreset = false;
        return;
    }
    showLine(line);
    if (state_.memory.Text1 == u"END") {
        state_.ViewingFile = false;
        state_.EntriesPreset = false;
    }
}

void MemoryOperations::showLine(const QString& line)
{
    const LineDisplay shown = DisplayOf(line);
    MemoryFields& m = state_.memory;
    m.Text1 = shown.channel;
    m.Text3 = shown.frequency;
    m.Text4 = shown.mode;
    m.Text5 = shown.filter;
    m.Text2 = shown.select;
    m.Text6 = shown.label;
    m.Text7 = line;
}

}  // namespace talvex
