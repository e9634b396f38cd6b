// The command-control buttons that do more than send one fixed frame, power on and the manual
// command.
#include "radio/radio_operations.h"

#include "link/bcd.h"
#include "link/frames.h"

namespace talvex {

void RadioOperations::powerOn() { link_.SendCommand(PowerOnFrame()); }

void RadioOperations::setVolume(int level)
{
    if (level < 0 || level > 99)
        return;
    send({0x14, 0x01, DecimalToBcd(QString::number(level)).byte});
}

void RadioOperations::sendManual(const QByteArray& command) { link_.SendCommand(CommandFrame(command)); }

void RadioOperations::toggleAutoStatus() { state_.AutoStatus = !state_.AutoStatus; }

}  // namespace talvex
