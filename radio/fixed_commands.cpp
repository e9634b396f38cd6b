// The controls that always send the same command: the mode, VFO and function lists, the fixed
// queries and operations, Rx/Tx, and the command-control buttons that ask or switch one thing.
#include "radio/fixed_commands.h"

#include "link/frames.h"
#include "link/radio_model.h"

namespace talvex {

using R = RadioOperations;

namespace {

// The mode command's byte for the mode a list item names, from the radio's description; a name
// the radio has no mode of does not build.
consteval std::uint8_t ModeByte(std::u16string_view name)
{
    const RadioMode* mode = kRadio.modeNamed(name);
    if (!mode)
        throw "the radio has no mode of this name";
    return mode->code;
}

}  // namespace

const std::vector<FixedCommand>& FixedCommands()
{
    static const std::vector<FixedCommand> rows{
        {"List1", "AM", &R::Option3_Click, {0x06, ModeByte(u"AM")}},
        {"List1", "FM", &R::Option4_Click, {0x06, ModeByte(u"FM")}},
        {"List1", "USB", &R::Option5_Click, {0x06, ModeByte(u"USB")}},
        {"List1", "LSB", &R::Option6_Click, {0x06, ModeByte(u"LSB")}},
        {"List1", "CW", &R::Option7_Click, {0x06, ModeByte(u"CW")}},
        {"List1", "CWr", &R::Option8_Click, {0x06, ModeByte(u"CWr")}},
        {"List1", "RTTY", &R::Option9_Click, {0x06, ModeByte(u"RTTY")}},
        {"List1", "RTTYr", &R::Option10_Click, {0x06, ModeByte(u"RTTYr")}},
        {"List4", "VFO", &R::Option17_Click, {0x07}},
        {"List4", "MEM", &R::Option18_Click, {0x08}},
        {"List3", "VFO A", &R::Option11_Click, {0x07, 0x00}},
        {"List3", "VFO B", &R::Option12_Click, {0x07, 0x01}},
        {"List7", "Split Off", &R::Option15_Click, {0x0F, 0x00}},
        {"List7", "Split On", &R::Option16_Click, {0x0F, 0x01}},
        {"List5", "RIT Off", &R::Option19_Click, {0x21, 0x01, 0x00}},
        {"List5", "RIT On", &R::Option20_Click, {0x21, 0x01, 0x01}},
        {"List6", "^TX Off", &R::Option13_Click, {0x21, 0x02, 0x00}},
        {"List6", "^TX On", &R::Option14_Click, {0x21, 0x02, 0x01}},
        {"List10", "Monitor Off", &R::Option23_Click, {0x16, 0x45, 0x00}},
        {"List10", "Monitor On", &R::Option24_Click, {0x16, 0x45, 0x01}},
        {"List13", "Tuner Off", &R::Option31_Click, {0x1C, 0x01, 0x00}},
        {"List13", "Tuner On", &R::Option32_Click, {0x1C, 0x01, 0x01}},
        {"List13", "TUNE", &R::Option33_Click, {0x1C, 0x01, 0x02}},
        {"List14", "Pre Amp Off", &R::Option50_Click, {0x16, 0x02, 0x00}},
        {"List14", "Pre Amp 1", &R::Option51_Click, {0x16, 0x02, 0x01}},
        {"List14", "Pre Amp 2", &R::Option52_Click, {0x16, 0x02, 0x02}},
        {"List17", "Attenuator Off", &R::Option56_Click, {0x11, 0x00}},
        {"List17", "Attenuator On", &R::Option57_Click, {0x11, 0x20}},  // the radio's "on" is 20, not 01
        {"List11", "VOX Off", &R::Option29_Click, {0x16, 0x46, 0x00}},
        {"List11", "VOX On", &R::Option30_Click, {0x16, 0x46, 0x01}},
        {"List15", "Bk-In Off", &R::Option53_Click, {0x16, 0x47, 0x00}},
        {"List15", "Bk-In Semi", &R::Option54_Click, {0x16, 0x47, 0x01}},
        {"List15", "Bk-In Full", &R::Option55_Click, {0x16, 0x47, 0x02}},
        {"List12", "Man Notch Off", &R::Option25_Click, {0x16, 0x48, 0x00}},
        {"List12", "Man Notch On", &R::Option26_Click, {0x16, 0x48, 0x01}},
        {"List16", "Auto Notch Off", &R::Option27_Click, {0x16, 0x41, 0x00}},
        {"List16", "Auto Notch On", &R::Option28_Click, {0x16, 0x41, 0x01}},
        {"List8", "NR Off", &R::Option1_Click, {0x16, 0x40, 0x00}},
        {"List8", "NR On", &R::Option2_Click, {0x16, 0x40, 0x01}},
        {"List9", "NB Off", &R::Option21_Click, {0x16, 0x22, 0x00}},
        {"List9", "NB On", &R::Option22_Click, {0x16, 0x22, 0x01}},

        {"Option48", "Query Current Frequency", &R::Option48_Click, {0x03}},
        {"Option49", "Query Current Mode", &R::Option49_Click, {0x04}},
        {"Option39", "Query Edge Frequency", &R::Option39_Click, {0x02}},
        {"Option47", "Memory > VFO", &R::Option47_Click, {0x0A}},
        {"Option58", "VFO A = B", &R::Option58_Click, {0x07, 0xA0}},
        {"Option38", "Rx", &R::Option38_Click, {0x1C, 0x00, 0x00}},
        {"Option37", "Tx", &R::Option37_Click, {0x1C, 0x00, 0x01}},

        {"Command30", "Rig ID", &R::Command30_Click, {0x19, 0x00}},
        {"Command34", "Time", &R::Command34_Click, {0x1A, 0x05, 0x00, 0x95}},
        {"Command48", "S-Meter ", &R::Command48_Click, {0x15, 0x02}},
        {"Command31", "Speech", &R::Command31_Click, {0x13, 0x00}},
        {"Command47", "Squelch Status ", &R::Command47_Click, {0x15, 0x01}},
        {"Command3", "My Call", &R::Command3_Click, {0x1A, 0x05, 0x00, 0x91}},
        {"Command4", "R/T Status", &R::Command4_Click, {0x1C, 0x00}},
        {"Command6", "Power OFF", &R::Command6_Click, {0x18, 0x00}},
    };
    return rows;
}

// Each procedure finds its own row, so its bytes are written down nowhere else.
void RadioOperations::sendFixed(Procedure procedure)
{
    for (const FixedCommand& row : FixedCommands()) {
        if (row.procedure == procedure) {
            const auto* bytes = reinterpret_cast<const char*>(row.command.data());
            link_.SendCommand(CommandFrame(QByteArray(bytes, static_cast<qsizetype>(row.command.size()))));
            return;
        }
    }
}

void R::Option3_Click() { sendFixed(&R::Option3_Click); }
void R::Option4_Click() { sendFixed(&R::Option4_Click); }
void R::Option5_Click() { sendFixed(&R::Option5_Click); }
void R::Option6_Click() { sendFixed(&R::Option6_Click); }
void R::Option7_Click() { sendFixed(&R::Option7_Click); }
void R::Option8_Click() { sendFixed(&R::Option8_Click); }
void R::Option9_Click() { sendFixed(&R::Option9_Click); }
void R::Option10_Click() { sendFixed(&R::Option10_Click); }
void R::Option17_Click() { sendFixed(&R::Option17_Click); }
void R::Option18_Click() { sendFixed(&R::Option18_Click); }
void R::Option11_Click() { sendFixed(&R::Option11_Click); }
void R::Option12_Click() { sendFixed(&R::Option12_Click); }
void R::Option15_Click() { sendFixed(&R::Option15_Click); }
void R::Option16_Click() { sendFixed(&R::Option16_Click); }
void R::Option19_Click() { sendFixed(&R::Option19_Click); }
void R::Option20_Click() { sendFixed(&R::Option20_Click); }
void R::Option13_Click() { sendFixed(&R::Option13_Click); }
void R::Option14_Click() { sendFixed(&R::Option14_Click); }
void R::Option23_Click() { sendFixed(&R::Option23_Click); }
void R::Option24_Click() { sendFixed(&R::Option24_Click); }
void R::Option31_Click() { sendFixed(&R::Option31_Click); }
void R::Option32_Click() { sendFixed(&R::Option32_Click); }
void R::Option33_Click() { sendFixed(&R::Option33_Click); }
void R::Option50_Click() { sendFixed(&R::Option50_Click); }
void R::Option51_Click() { sendFixed(&R::Option51_Click); }
void R::Option52_Click() { sendFixed(&R::Option52_Click); }
void R::Option56_Click() { sendFixed(&R::Option56_Click); }
void R::Option57_Click() { sendFixed(&R::Option57_Click); }
void R::Option29_Click() { sendFixed(&R::Option29_Click); }
void R::Option30_Click() { sendFixed(&R::Option30_Click); }
void R::Option53_Click() { sendFixed(&R::Option53_Click); }
void R::Option54_Click() { sendFixed(&R::Option54_Click); }
void R::Option55_Click() { sendFixed(&R::Option55_Click); }
void R::Option25_Click() { sendFixed(&R::Option25_Click); }
void R::Option26_Click() { sendFixed(&R::Option26_Click); }
void R::Option27_Click() { sendFixed(&R::Option27_Click); }
void R::Option28_Click() { sendFixed(&R::Option28_Click); }
void R::Option1_Click() { sendFixed(&R::Option1_Click); }
void R::Option2_Click() { sendFixed(&R::Option2_Click); }
void R::Option21_Click() { sendFixed(&R::Option21_Click); }
void R::Option22_Click() { sendFixed(&R::Option22_Click); }
void R::Option48_Click() { sendFixed(&R::Option48_Click); }
void R::Option49_Click() { sendFixed(&R::Option49_Click); }
void R::Option39_Click() { sendFixed(&R::Option39_Click); }
void R::Option47_Click() { sendFixed(&R::Option47_Click); }
void R::Option58_Click() { sendFixed(&R::Option58_Click); }
void R::Option38_Click() { sendFixed(&R::Option38_Click); }
void R::Option37_Click() { sendFixed(&R::Option37_Click); }
void R::Command30_Click() { sendFixed(&R::Command30_Click); }
void R::Command34_Click() { sendFixed(&R::Command34_Click); }
void R::Command48_Click() { sendFixed(&R::Command48_Click); }
void R::Command31_Click() { sendFixed(&R::Command31_Click); }
void R::Command47_Click() { sendFixed(&R::Command47_Click); }
void R::Command3_Click() { sendFixed(&R::Command3_Click); }
void R::Command4_Click() { sendFixed(&R::Command4_Click); }
void R::Command6_Click() { sendFixed(&R::Command6_Click); }

}  // namespace talvex
