#pragma once

#include "options.h"

#include <QString>

namespace talvex::cli {

// Runs one command against the radio on the program's own engine (the Memory window's steppers,
// channel read, merge, verification, backups and report) and returns the exit code.
int RunCommand(const Options& options, const QString& workingDirectory);

// Channels 1-99 with their whole records into the data file `file`, as `read --records` reads
// them, without the read's report: the exit code, the reason on standard error when not 0.
int ReadRecordsFromRadio(const Options& options, const QString& file, const QString& workingDirectory);

// The backups in `workingDirectory`'s BACKUP folder, oldest first, one path a line.
int ListBackups(const QString& workingDirectory);

}  // namespace talvex::cli
