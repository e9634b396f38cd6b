#include "platform/clock.h"

namespace talvex {

QDateTime QtClock::now() const { return QDateTime::currentDateTime(); }

}  // namespace talvex
