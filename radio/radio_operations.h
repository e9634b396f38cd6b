#pragma once

#include "state/program_state.h"
#include "link/frames.h"
#include "link/serial_link.h"

#include "platform/dialogs.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace talvex {

class RadioOperations;
// A control's procedure, as the window and the tables of controls hold it.
using Procedure = void (RadioOperations::*)();

// The procedures behind the Radio Operations window's controls, one per control and named
// after it. Each builds its frame(s) and hands them to SendCommand; the window, the Memory
// window and start-up call them alike, so a procedure never assumes a click. The procedures
// that always send the same command take it from their row in FixedCommands().
class RadioOperations : public StartupQueries {
public:
    RadioOperations(ProgramState& state, SerialLink& link, Dialogs& dialogs);

    // --- mode, filter, VFO and function lists (all fixed but the filter) ---
    void Option3_Click();   // AM
    void Option4_Click();   // FM
    void Option5_Click();   // USB
    void Option6_Click();   // LSB
    void Option7_Click();   // CW
    void Option8_Click();   // CWr
    void Option9_Click();   // RTTY
    void Option10_Click();  // RTTYr
    void Option34_Click();  // Filter 1
    void Option35_Click();  // Filter 2
    void Option36_Click();  // Filter 3
    void Option17_Click();  // VFO
    void Option18_Click();  // MEM
    void Option11_Click();  // VFO A
    void Option12_Click();  // VFO B
    void Option15_Click();  // Split Off
    void Option16_Click();  // Split On
    void Option19_Click();  // RIT Off
    void Option20_Click();  // RIT On
    void Option13_Click();  // ^TX Off
    void Option14_Click();  // ^TX On
    void Option23_Click();  // Monitor Off
    void Option24_Click();  // Monitor On
    void Option31_Click();  // Tuner Off
    void Option32_Click();  // Tuner On
    void Option33_Click();  // TUNE
    void Option50_Click();  // Pre Amp Off
    void Option51_Click();  // Pre Amp 1
    void Option52_Click();  // Pre Amp 2
    void Option56_Click();  // Attenuator Off
    void Option57_Click();  // Attenuator On
    void Option29_Click();  // VOX Off
    void Option30_Click();  // VOX On
    void Option53_Click();  // Bk-In Off
    void Option54_Click();  // Bk-In Semi
    void Option55_Click();  // Bk-In Full
    void Option25_Click();  // Man Notch Off
    void Option26_Click();  // Man Notch On
    void Option27_Click();  // Auto Notch Off
    void Option28_Click();  // Auto Notch On
    void Option1_Click();   // NR Off
    void Option2_Click();   // NR On
    void Option21_Click();  // NB Off
    void Option22_Click();  // NB On

    // --- query and set (fixed but the frequency and mode set) ---
    void Option48_Click() override;  // Query Current Frequency
    void Option49_Click() override;  // Query Current Mode
    void Option39_Click();           // Query Edge Frequency
    void Option42_Click();           // Radio Frequency Set
    void Option41_Click();           // Radio Mode Set
    void Option47_Click();           // Memory > VFO
    void Option58_Click();           // VFO A = B
    void Option38_Click();           // Rx
    void Option37_Click();           // Tx

    // --- command control and power (fixed but Set Vol, the status switches and power on) ---
    void Command30_Click() override;  // Rig ID
    void Command3_Click() override;   // My Call
    void Command48_Click();           // S-Meter
    void Command34_Click();           // Time
    void Command2_Click();            // Set Vol
    void Command31_Click();           // Speech
    void Command47_Click();           // Squelch Status
    void Command44_Click();           // Auto Status Toggle
    void Command36_Click();           // Clear Status
    void Command4_Click();            // R/T Status
    void Command5_Click();            // Power ON
    void Command6_Click();            // Power OFF

    // --- manual command ---
    void Command49_Click();

    // --- memory channels ---
    void Option40_Click();  // Memory Channel Select
    void Option43_Click();  // Memory Channel Clear
    void Option44_Click();  // Memory Write
    void Option45_Click();  // Query Memory Channel
    // Memory Write of a whole record (41 bytes, its channel field first) as the Memory window
    // merged it, then the same select and read-back Memory Write ends with. Channels 1-99, and
    // the scan edges P1 and P2 (100, 101) as a backup gives them back.
    void MemoryWriteRecord(const QByteArray& contents);
    void Option46_Click();  // Memory UP
    void Option59_Click();  // Memory DN

    // --- display format ---
    void Option60_Click();  // HEX
    void Option61_Click();  // BCD

private:
    void send(std::initializer_list<std::uint8_t> command);
    void sendFixed(Procedure procedure);
    void sendFilter(std::uint8_t filter);
    void stepChannel(int step);
    // Memory mode, then the channel selected and read back, as every memory write ends.
    void selectAndReadBack(int channel);
    // Blanks the message areas of both windows, the answer to a refused entry.
    void refuseEntry();
    // Blanks the six display fields above the message area.
    void blankDisplayFields();

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
    Dialogs& dialogs_;
};

// The manual command's five places: each token as its byte, or nothing for an empty place.
// Characters after the fifth token are ignored; two blanks in a row make an empty place.
struct ManualTokens {
    std::optional<std::uint8_t> bytes[5];
    bool valid = true;  // false: a token is not one or two hexadecimal digits
};
ManualTokens SplitManualCommand(const QString& command);

}  // namespace talvex
