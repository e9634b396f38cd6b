// The "Radio Operations" column's sets: frequency and mode, each read back once sent.
#include "radio/radio_operations.h"

#include "link/frames.h"

namespace talvex {

RadioOperations::RadioOperations(ProgramState& state, SerialLink& link) : state_(state), link_(link) {}

void RadioOperations::setFrequency(const QByteArray& frequency)
{
    link_.SendCommand(CommandFrame(QByteArray(1, 0x05) + frequency));
    queryFrequency();
}

void RadioOperations::setMode(int mode, int filter)
{
    setFilter(filter, mode);
    queryMode();
}

}  // namespace talvex
