#pragma once

#include "tests/support/test_program.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

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

// The 41 data bytes of a memory read answer for `c`.
QByteArray ContentsOf(const RadioChannel& c);
// What the line carries after a memory read of `c`: the echo of the request, then the answer.
QByteArray MemoryReadExchange(const RadioChannel& c);

// The frames in `bytes` addressed to the radio, as the hex text of what stands between the
// prefix FE FE 94 E0 and FD ("08 00 05").
QStringList FramesOf(const QByteArray& bytes);

// A program with its port open on the scripted line.
struct OpenProgram : TestProgram {
    OpenProgram();
    ManualTimer& memoryTimer(int number) const;
    // Runs the memory timer `number` once and returns the frames that tick sent.
    QStringList tick(int number);
};

}  // namespace talvex::testing
