#pragma once

#include "state/program_state.h"
#include "link/serial_link.h"
#include "radio/fixed_commands.h"

#include "platform/dialogs.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace talvex {

// The procedures behind the Radio Operations window's controls. Each builds its frame(s) and
// hands them to SendCommand; the window, the Memory window and start-up call them alike, so a
// procedure never assumes a click.
class RadioOperations : public StartupQueries {
public:
    RadioOperations(ProgramState& state, SerialLink& link, Dialogs& dialogs);

    // The commands that never vary (fixed_commands.h), and the ones the program sends by name.
    void sendFixed(FixedCommand command);
    void selectMemoryMode() { sendFixed(FixedCommand::MemoryMode); }
    void queryFrequency() override { sendFixed(FixedCommand::QueryFrequency); }
    void queryMode() override { sendFixed(FixedCommand::QueryMode); }
    void queryId() override { sendFixed(FixedCommand::QueryId); }
    void queryMyCall() override { sendFixed(FixedCommand::QueryMyCall); }

    // --- the filter list ---
    void Option34_Click();  // Filter 1
    void Option35_Click();  // Filter 2
    void Option36_Click();  // Filter 3

    // --- query and set (fixed but the frequency and mode set) ---
    void Option42_Click();  // Radio Frequency Set
    void Option41_Click();  // Radio Mode Set

    // --- command control and power (the status switches, Set Vol and power on) ---
    void Command2_Click();   // Set Vol
    void Command44_Click();  // Auto Status Toggle
    void Command36_Click();  // Clear Status
    void Command5_Click();   // Power ON

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
    void sendFilter(std::uint8_t filter);
    void stepChannel(int step);
    // Memory mode, then the channel selected and read back, as every memory write ends.
    void selectAndReadBack(int channel);
    // Blanks the message areas of both windows, the answer to a refused entry.
    void refuseEntry();
    // Blanks the six display fields above the message area.
    void blankDisplayFields();

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
