#include "traffic_log.h"

Q_LOGGING_CATEGORY(civTraffic, "talvex.civ", QtWarningMsg)
