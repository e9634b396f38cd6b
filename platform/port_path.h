#pragma once

#include <QString>

namespace talvex {

// Where port number n lives. On Linux a file "COMn" in the working directory (a link to a
// device or to the simulator's pseudo-terminal) wins, so a radio can be named the way
// TALVEX.INI names it; otherwise the n-th USB serial adapter. On Windows the port is "COMn".
// An empty result means there is no such port.
QString ResolvePortPath(int portNumber, const QString& workingDirectory);

// Where ResolvePortPath looks for port number n, in the operator's words, for a port that was not
// there: "no COM2 in /home/op/talvex, no /dev/ttyUSB1".
QString PortPlacesLooked(int portNumber, const QString& workingDirectory);

}  // namespace talvex
