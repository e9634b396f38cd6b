#pragma once

#include "memory/window/memory_fields.h"
#include "state/program_state.h"
#include "platform/dialogs.h"
#include "radio/radio_operations.h"
#include "radio/window/radio_fields.h"

#include <QString>

#include <optional>

namespace talvex {

// The Radio Operations window's questions: a control whose procedure needs a value asks the
// operator for it, with the prompt, title and default it has always offered, and runs the
// procedure with what was typed. An entry the radio cannot take is refused without a word:
// nothing is sent and both windows' message areas blank to a single space.
class RadioEntries {
public:
    // `memoryTexts`: the Memory window's fields, whose message area a refusal blanks too.
    RadioEntries(ProgramState& state, RadioOperations& radio, Dialogs& dialogs, RadioFieldTexts& texts,
                 MemoryFields& memoryTexts);

    RadioOperations& radio() { return radio_; }

    // Filter 1-3 with the mode the mode field shows.
    void setFilter(int filter);
    void setFrequency();
    void setMode();
    void setVolume();
    void sendManual();
    void readChannel();
    void selectChannel();
    // Asks "Are you sure?" first; the six display fields blank.
    void clearChannel();
    void writeChannel();
    // The first press of either asks where to begin and selects that channel.
    void channelUp();
    void channelDown();
    // Clear Status: the six display fields and both windows' message areas blanked.
    void clearStatus();
    // Auto Status Toggle: broadcasts shown or not; the button names what its next click does,
    // and the status clears.
    void toggleAutoStatus();

private:
    void refuse();
    // The channel typed in answer to the channel question under `title`, as `read` takes it,
    // selected.
    void selectTyped(const QString& title, std::optional<int> (*read)(const QString&));
    void step(void (RadioOperations::*onward)());

    ProgramState& state_;
    RadioOperations& radio_;
    Dialogs& dialogs_;
    RadioFieldTexts& texts_;
    MemoryFields& memoryTexts_;
    // Offered again by the next manual command; a refused one is not.
    QString lastManualCommand_;
};

}  // namespace talvex
