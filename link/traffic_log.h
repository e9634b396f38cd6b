#pragma once

#include <QLoggingCategory>

// Every frame in and out, in hex, for the operator and for bug reports. Off by default; on
// with QT_LOGGING_RULES="talvex.civ=true".
Q_DECLARE_LOGGING_CATEGORY(civTraffic)
