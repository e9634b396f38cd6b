#pragma once

#include "options.h"
#include "output.h"

#include <QString>

namespace talvex::cli {

// Runs one command against the radio on the program's own engine (the Memory window's steppers,
// channel read, merge, verification, backups and report) and returns the exit code.
int RunCommand(const Options& options, const QString& workingDirectory, Output& output);

// Channels 1-99 with their whole records into the data file `file`, as `read` reads them,
// without the read's report: the exit code, the reason told through `output` when not 0.
int ReadRecordsFromRadio(const Options& options, const QString& file, const QString& workingDirectory, Output& output);

// The complete backups in `workingDirectory`'s BACKUP folder, oldest first, one path a line (or
// one JSON object); the files named like backups that are not complete are named on standard
// error and left out.
int ListBackups(const QString& workingDirectory, Output& output);

}  // namespace talvex::cli
