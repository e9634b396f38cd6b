#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>

namespace talvex::testing {

// The simulator's memory: channel -> the 41 bytes a memory read answers; empty for a blank one.
using Memory = std::map<int, QByteArray>;

// The demo memory of 99 channels shipped in `demoDirectory`.
QString DemoMemoryPath(const char* demoDirectory);

// The simulator's memory file: "ch N: 00 01 ..." or "ch N: blank".
Memory ReadMemory(const QString& path);

// The data-file line a channel is written as, worked out from the radio's bytes alone.
QString ExpectedLine(int channel, const QByteArray& contents);
// Channels 1-99 as Create File must write them.
QStringList ExpectedChannelLines(const Memory& memory);

// The frequency a channel shows ("07.100.0"), empty for a blank channel.
QString ExpectedFrequency(const QByteArray& contents);

}  // namespace talvex::testing
