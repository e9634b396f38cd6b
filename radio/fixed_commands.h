#pragma once

#include <cstdint>
#include <vector>

namespace talvex {

// The radio's commands that put the same bytes on the line every time: the mode, VFO and
// function lists' items, the fixed queries and operations, Rx/Tx, and the status buttons.
enum class FixedCommand {
    ModeAm, ModeFm, ModeUsb, ModeLsb, ModeCw, ModeCwReverse, ModeRtty, ModeRttyReverse,
    VfoMode, MemoryMode, VfoA, VfoB,
    SplitOff, SplitOn, RitOff, RitOn, DeltaTxOff, DeltaTxOn,
    MonitorOff, MonitorOn, TunerOff, TunerOn, Tune,
    PreampOff, Preamp1, Preamp2, AttenuatorOff, AttenuatorOn, VoxOff, VoxOn,
    BreakInOff, BreakInSemi, BreakInFull, ManualNotchOff, ManualNotchOn, AutoNotchOff, AutoNotchOn,
    NoiseReductionOff, NoiseReductionOn, NoiseBlankerOff, NoiseBlankerOn,
    QueryFrequency, QueryMode, QueryBandEdges, MemoryToVfo, EqualiseVfos, Receive, Transmit,
    QueryId, QueryTime, QuerySMeter, Announce, QuerySquelch, QueryMyCall, QueryTransmitting, PowerOff,
};

// A fixed command and what stands between the addresses and FD when it is sent.
struct FixedCommandBytes {
    FixedCommand command;
    std::vector<std::uint8_t> bytes;
};

// Every fixed command, the one place its bytes are written down.
const std::vector<FixedCommandBytes>& FixedCommands();

}  // namespace talvex
