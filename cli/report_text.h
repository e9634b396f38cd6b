#pragma once

#include "options.h"
#include "progress_output.h"

namespace talvex::cli {

struct ReportFacts {
    const Options& options;
    QString file;    // the data file read or written
    QString backup;  // the backup taken before a change, "" when none
    const Outcome& outcome;
    bool interrupted = false;
    int exitCode = 0;
};

// The end report on standard output: the engine's own summary and each channel that did not
// verify, a line each; with --json one JSON object for scripts.
void PrintReport(const ReportFacts& facts);
QByteArray ReportJson(const ReportFacts& facts);
QString ReportText(const ReportFacts& facts);

}  // namespace talvex::cli
