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

// The end report: the engine's own summary, each channel that did not verify and each line left
// out, a line each; with --json one JSON object for scripts.
QByteArray ReportJson(const ReportFacts& facts);
QString ReportText(const ReportFacts& facts);

}  // namespace talvex::cli
