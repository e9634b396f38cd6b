#include "radio_operations.h"

#include "link/frames.h"

namespace talvex {

RadioOperations::RadioOperations(ProgramState& state, SerialLink& link, Dialogs& dialogs)
    : state_(state), link_(link), dialogs_(dialogs)
{
}

void RadioOperations::Option48_Click() { link_.SendCommand(CommandFrame({0x03})); }

void RadioOperations::Option49_Click() { link_.SendCommand(CommandFrame({0x04})); }

}  // namespace talvex
