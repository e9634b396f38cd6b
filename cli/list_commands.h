#pragma once

#include "options.h"
#include "output.h"

#include <QString>

namespace talvex::cli {

// CHIRP's generic CSV from a data file (no port opened) or from the radio's whole records.
int RunExport(const Options& options, const QString& workingDirectory, Output& output);

// A CHIRP CSV or an EiBi schedule into a data file, with the report of every row changed or
// left out. No radio is needed.
int RunImport(const Options& options, const QString& workingDirectory, Output& output);

}  // namespace talvex::cli
