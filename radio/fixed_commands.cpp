// The bytes of the commands that never vary, and their one way onto the line.
#include "radio/radio_operations.h"

#include "link/frames.h"
#include "link/radio_model.h"

namespace talvex {

namespace {

// The mode command's byte for the mode a list item names, from the radio's description; a name
// the radio has no mode of does not build where the compiler can evaluate it (the sanitizer
// build evaluates it at start instead, and stops there).
constexpr std::uint8_t ModeByte(std::u16string_view name)
{
    const RadioMode* mode = kRadio.modeNamed(name);
    if (!mode)
        throw "the radio has no mode of this name";
    return mode->code;
}

}  // namespace

const std::vector<FixedCommandBytes>& FixedCommands()
{
    using F = FixedCommand;
    static const std::vector<FixedCommandBytes> rows{
        {F::ModeAm, {0x06, ModeByte(u"AM")}},
        {F::ModeFm, {0x06, ModeByte(u"FM")}},
        {F::ModeUsb, {0x06, ModeByte(u"USB")}},
        {F::ModeLsb, {0x06, ModeByte(u"LSB")}},
        {F::ModeCw, {0x06, ModeByte(u"CW")}},
        {F::ModeCwReverse, {0x06, ModeByte(u"CWr")}},
        {F::ModeRtty, {0x06, ModeByte(u"RTTY")}},
        {F::ModeRttyReverse, {0x06, ModeByte(u"RTTYr")}},
        {F::VfoMode, {0x07}},
        {F::MemoryMode, {0x08}},
        {F::VfoA, {0x07, 0x00}},
        {F::VfoB, {0x07, 0x01}},
        {F::SplitOff, {0x0F, 0x00}},
        {F::SplitOn, {0x0F, 0x01}},
        {F::RitOff, {0x21, 0x01, 0x00}},
        {F::RitOn, {0x21, 0x01, 0x01}},
        {F::DeltaTxOff, {0x21, 0x02, 0x00}},
        {F::DeltaTxOn, {0x21, 0x02, 0x01}},
        {F::MonitorOff, {0x16, 0x45, 0x00}},
        {F::MonitorOn, {0x16, 0x45, 0x01}},
        {F::TunerOff, {0x1C, 0x01, 0x00}},
        {F::TunerOn, {0x1C, 0x01, 0x01}},
        {F::Tune, {0x1C, 0x01, 0x02}},
        {F::PreampOff, {0x16, 0x02, 0x00}},
        {F::Preamp1, {0x16, 0x02, 0x01}},
        {F::Preamp2, {0x16, 0x02, 0x02}},
        {F::AttenuatorOff, {0x11, 0x00}},
        {F::AttenuatorOn, {0x11, 0x20}},  // the radio's "on" is 20, not 01
        {F::VoxOff, {0x16, 0x46, 0x00}},
        {F::VoxOn, {0x16, 0x46, 0x01}},
        {F::BreakInOff, {0x16, 0x47, 0x00}},
        {F::BreakInSemi, {0x16, 0x47, 0x01}},
        {F::BreakInFull, {0x16, 0x47, 0x02}},
        {F::ManualNotchOff, {0x16, 0x48, 0x00}},
        {F::ManualNotchOn, {0x16, 0x48, 0x01}},
        {F::AutoNotchOff, {0x16, 0x41, 0x00}},
        {F::AutoNotchOn, {0x16, 0x41, 0x01}},
        {F::NoiseReductionOff, {0x16, 0x40, 0x00}},
        {F::NoiseReductionOn, {0x16, 0x40, 0x01}},
        {F::NoiseBlankerOff, {0x16, 0x22, 0x00}},
        {F::NoiseBlankerOn, {0x16, 0x22, 0x01}},

        {F::QueryFrequency, {0x03}},
        {F::QueryMode, {0x04}},
        {F::QueryBandEdges, {0x02}},
        {F::MemoryToVfo, {0x0A}},
        {F::EqualiseVfos, {0x07, 0xA0}},
        {F::Receive, {0x1C, 0x00, 0x00}},
        {F::Transmit, {0x1C, 0x00, 0x01}},

        {F::QueryId, {0x19, 0x00}},
        {F::QueryTime, {0x1A, 0x05, 0x00, 0x95}},
        {F::QuerySMeter, {0x15, 0x02}},
        {F::Announce, {0x13, 0x00}},
        {F::QuerySquelch, {0x15, 0x01}},
        {F::QueryMyCall, {0x1A, 0x05, 0x00, 0x91}},
        {F::QueryTransmitting, {0x1C, 0x00}},
        {F::PowerOff, {0x18, 0x00}},
    };
    return rows;
}

void RadioOperations::sendFixed(FixedCommand command)
{
    for (const FixedCommandBytes& row : FixedCommands()) {
        if (row.command == command) {
            const auto* bytes = reinterpret_cast<const char*>(row.bytes.data());
            link_.SendCommand(CommandFrame(QByteArray(bytes, static_cast<qsizetype>(row.bytes.size()))));
            return;
        }
    }
}

}  // namespace talvex
