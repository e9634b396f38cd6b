#pragma once

#include "readings.h"

#include <QString>

namespace talvex {

// What the link tells the faces that show the radio: each answer and broadcast read, the
// line's traffic as the status boxes show it, advice on the line (given while a memory
// operation runs, or between operations), and the line gone. The link knows no window and shows no box; a window's
// fields are its listener's to write.
class LinkListener {
public:
    virtual ~LinkListener() = default;
    // Each listener hears what it needs; the rest it leaves to these empty defaults.
    virtual void answerRead(const RadioReading& /*reading*/) {}
    virtual void broadcastRead(const BroadcastReading& /*reading*/) {}
    virtual void trafficShown(const QString& /*line*/) {}
    // Advice on the line given while a memory operation runs.
    virtual void adviceGiven(const QString& /*advice*/) {}
    // Advice on the line given while no memory operation runs.
    virtual void adviceBetweenOperations(const QString& /*advice*/) {}
    // The device of the serial line at `port` went away: the port is closed, and opened again
    // once the device is back.
    virtual void lineLost(const QString& /*port*/) {}
};

}  // namespace talvex
