#pragma once

#include "state/program_state.h"
#include "link/frames.h"
#include "link/serial_link.h"
#include "radio/fixed_commands.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>

namespace talvex {

class MemoryRecord;

// What Memory Write puts into a channel, every field already checked (entry_values.h reads them
// from what the operator typed).
struct ChannelEntry {
    int channel = 0;       // 1-99
    QByteArray frequency;  // the five bytes of the frequency field
    int mode = 0;          // a mode code
    int filter = 0;        // 1-3
    QString label;         // ten printable characters
};

// What the program tells the radio: each procedure builds its frame(s), hands them to the link
// and, where the radio's answer shows what changed, reads it back. They ask the operator nothing:
// the Radio Operations window asks and checks what was typed, the Memory window's operations and
// start-up call them with values of their own. A channel the radio has no such place for sends
// nothing.
class RadioOperations : public StartupQueries {
public:
    RadioOperations(ProgramState& state, SerialLink& link);

    // The commands that never vary (fixed_commands.h), and the ones the program sends by name.
    void sendFixed(FixedCommand command);
    void selectMemoryMode() { sendFixed(FixedCommand::MemoryMode); }
    void queryFrequency() override { sendFixed(FixedCommand::QueryFrequency); }
    void queryMode() override { sendFixed(FixedCommand::QueryMode); }
    void queryId() override { sendFixed(FixedCommand::QueryId); }
    void queryMyCall() override { sendFixed(FixedCommand::QueryMyCall); }

    // The radio takes a filter only with a mode: the filter list sends the mode it keeps.
    void setFilter(int filter, int mode);
    // Radio Frequency Set (the five bytes of the frequency field) and Radio Mode Set, each read
    // back once sent.
    void setFrequency(const QByteArray& frequency);
    void setMode(int mode, int filter);
    void setVolume(int level);  // 0-99
    // Up to five bytes typed in manual command mode, framed as they are.
    void sendManual(const QByteArray& command);
    // A sleeping radio only listens after a run of prefixes, so all 103 bytes go in one write.
    void powerOn();

    // --- memory channels: 1-99, and the program-scan edges P1 and P2 as 100 and 101 ---
    // The select, then the channel read back.
    void selectChannel(int channel);
    void readChannel(int channel);
    // Clears whatever channel the radio has selected.
    void clearSelectedChannel();
    // Memory Write of channels 1-99; the write of a whole record (as a merge or a backup gives
    // it, the scan edges included). Each ends as every memory write does: memory mode, then the
    // channel selected and read back.
    void writeChannel(const ChannelEntry& entry);
    void writeRecord(const MemoryRecord& record);
    // Memory UP and DN: one channel on from the last one selected or read, wrapping 99 <-> 1.
    void channelUp() { stepChannel(+1); }
    void channelDown() { stepChannel(-1); }
    // Until a channel has been selected there is nothing to step on from: the window asks
    // where to begin.
    bool channelSelected() const { return channelSelected_; }

    // --- the displays ---
    // Auto Status Toggle: broadcasts shown or not.
    void toggleAutoStatus();
    // The traffic in hexadecimal, or in decimal.
    void setHexDisplay(bool hex) { state_.HexDisplay = hex; }

private:
    void send(std::initializer_list<std::uint8_t> command);
    void stepChannel(int step);
    // Memory mode, then the channel selected and read back, as every memory write ends.
    void selectAndReadBack(int channel);

    // The frames of link/frames.h, addressed to the radio the link talks to in this run. They
    // stand in for those functions, under their names, in every procedure.
    QByteArray CommandFrame(const QByteArray& command) const { return talvex::CommandFrame(link_.radioAddress(), command); }
    QByteArray CommandFrame(std::initializer_list<std::uint8_t> command) const
    {
        return talvex::CommandFrame(link_.radioAddress(), command);
    }
    QByteArray PowerOnFrame() const { return talvex::PowerOnFrame(link_.radioAddress()); }
    QByteArray MemoryWriteFrame(const MemoryChannel& channel) const
    {
        return talvex::MemoryWriteFrame(link_.radioAddress(), channel);
    }

    ProgramState& state_;
    SerialLink& link_;
    bool channelSelected_ = false;
    int lastChannel_ = 0;  // the channel selected or read last
};

}  // namespace talvex
