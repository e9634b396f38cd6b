#pragma once

#include <QString>

namespace talvex {

// Which opening of the port and the default data file ended.
enum class OpeningDone { Startup, Setup };

// What start-up, System Setup and Data File Setup tell the Memory window: the data file that is
// now the current one, that an opening ended with the file open, and the operator's call sign
// to greet. The window words them.
class OpeningShown {
public:
    virtual ~OpeningShown() = default;
    virtual void dataFileShown(const QString& path) = 0;
    virtual void openingDone(OpeningDone opening) = 0;
    virtual void operatorGreeted(const QString& callSign) = 0;
};

}  // namespace talvex
