#pragma once

#include "readings.h"

#include <QString>

namespace talvex {

// What the link tells the faces that show the radio: each answer and broadcast read, the
// line's traffic as the status boxes show it, and advice on the line given while a memory
// operation runs. The link knows no window; a window's fields are its listener's to write.
class LinkListener {
public:
    virtual ~LinkListener() = default;
    virtual void answerRead(const RadioReading& reading) = 0;
    virtual void broadcastRead(const BroadcastReading& reading) = 0;
    virtual void trafficShown(const QString& line) = 0;
    virtual void adviceGiven(const QString& advice) = 0;
};

}  // namespace talvex
