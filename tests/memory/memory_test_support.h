#pragma once

#include "tests/support/test_program.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace talvex::testing {

// A radio memory channel as the radio reports it, for building its answers.
struct RadioChannel {
    int channel = 1;
    QString digits;  // MMkkkh, six digits; empty for a blank channel
    int mode = 1;
    int filter = 1;
    bool selected = false;
    QString label = QStringLiteral("          ");
};

// A varied channel n of a sample radio: every tenth blank, the others with their own
// frequency, each mode and filter in turn, labelled "CH n".
RadioChannel SampleChannel(int n);

// The 41 data bytes of a memory read answer for `c`.
QByteArray ContentsOf(const RadioChannel& c);
// What the line carries after a memory read of `c`: the echo of the request, then the answer.
QByteArray MemoryReadExchange(const RadioChannel& c);

}  // namespace talvex::testing
