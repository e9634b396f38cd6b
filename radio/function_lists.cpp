// The filter list: its items carry the mode too, because the radio sets mode and filter in one
// command. The other lists send fixed frames (fixed_commands.cpp).
#include "radio_operations.h"

#include "link/format.h"
#include "link/frames.h"

namespace talvex {

void RadioOperations::send(std::initializer_list<std::uint8_t> command) { link_.SendCommand(CommandFrame(command)); }

void RadioOperations::Option34_Click() { sendFilter(0x01); }
void RadioOperations::Option35_Click() { sendFilter(0x02); }
void RadioOperations::Option36_Click() { sendFilter(0x03); }

void RadioOperations::sendFilter(std::uint8_t filter)
{
    // The mode comes from the mode field as the decoder wrote it, compared exactly. With no
    // mode shown there is nothing to keep, and sending mode 00 would switch the radio to LSB.
    const QString& shown = state_.radio.Text4;
    const auto mode = ModeCode(shown);
    if (!mode || ModeName(*mode) != shown) {
        refuseEntry();
        return;
    }
    send({0x06, static_cast<std::uint8_t>(*mode), filter});
}

}  // namespace talvex
