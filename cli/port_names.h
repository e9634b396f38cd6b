#pragma once

// The port as the operator names it on the command line (--port or TALVEX.INI's [CommPort]), and
// what is told when it does not open: always the name as given, with the reason.

#include "platform/serial_port.h"

#include <QString>

namespace talvex::cli {

// "COMn" (any letter case) names a port by its number, as TALVEX.INI and the windows do: a COMn
// link in the working directory, else /dev/ttyUSB{n-1}. Anything else is a device path.
bool ByNumber(const QString& port);

// A device path as the port opens it: a relative one naming a file in the working directory is
// that file (Qt would look for it in /dev).
QString DevicePath(const QString& port, const QString& workingDirectory);

// Why `port` did not open, in the operator's words: no such device (for COMn, where it was looked
// for), busy, no permission, or the system's own words for anything else.
QString PortProblem(const PortError& error, const QString& port, const QString& workingDirectory);

}  // namespace talvex::cli
