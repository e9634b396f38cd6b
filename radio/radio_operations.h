#pragma once

#include "link/program_state.h"
#include "link/serial_link.h"

#include "platform/dialogs.h"

#include <optional>

namespace talvex {

// The procedures behind the Radio Operations window's controls. Each builds its frame(s) and
// hands them to SendCommand; the window, the Memory window and start-up call them alike.
class RadioOperations : public StartupQueries {
public:
    RadioOperations(ProgramState& state, SerialLink& link, Dialogs& dialogs);

    void Option48_Click() override;  // Query Current Frequency
    void Option49_Click() override;  // Query Current Mode
    void Command30_Click() override; // Rig ID
    void Command3_Click() override;  // My Call

    void Option18_Click();  // "MEM": memory mode
    void Option40_Click();  // Memory Channel Select
    void Option43_Click();  // Memory Channel Clear
    void Option44_Click();  // Memory Write
    void Option45_Click();  // Query Memory Channel

private:
    // Blanks the message areas of both windows, the answer to a refused entry.
    void refuseEntry();

    ProgramState& state_;
    SerialLink& link_;
    Dialogs& dialogs_;
};

}  // namespace talvex
