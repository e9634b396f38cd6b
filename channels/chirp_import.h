#pragma once

// Any CHIRP generic CSV made into a data file: columns found by their header names (unknown
// ones skipped), "#" lines skipped, UTF-8 with or without its byte-order mark, both line ends.

#include "channels/chirp_columns.h"
#include "channels/import_report.h"

#include <QByteArray>

#include <vector>

namespace talvex::channels {

ImportResult ImportChirpCsv(const QByteArray& bytes, const ImportOptions& options);

// Rows already made (the schedule import's), each with the file line it came from; Location
// says the channel unless `options.renumber`.
struct NumberedRow {
    int line = 0;
    ChirpRow row;
    QStringList notes;  // what reading the row already changed
};
// `fileReport`: what reading the file as a whole changed, reported first.
ImportResult ImportRows(const std::vector<NumberedRow>& rows, const ImportOptions& options,
                        std::vector<ReportLine> fileReport = {});

}  // namespace talvex::channels
