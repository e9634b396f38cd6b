#include "radio_operations.h"

#include "link/frames.h"

namespace talvex {

void RadioOperations::Command30_Click() { link_.SendCommand(CommandFrame({0x19, 0x00})); }

void RadioOperations::Command3_Click() { link_.SendCommand(CommandFrame({0x1A, 0x05, 0x00, 0x91})); }

}  // namespace talvex
