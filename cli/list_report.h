#pragma once

// What export and import tell on standard output: the import's report row by row, then what
// was written; with --json one object for scripts.

#include "channels/import_report.h"

#include <QByteArray>
#include <QString>

namespace talvex::cli {

struct ExportFacts {
    QString file;    // the CSV written
    QString source;  // the data file read, or "radio"
    int channels = 0;
};

struct ImportFacts {
    QString list;      // the CSV or schedule read
    QString dataFile;  // the data file written, or left as it was
    const channels::ImportResult& result;
    bool written = false;
    int exitCode = 0;
};

QString ExportText(const ExportFacts& facts);
QByteArray ExportJson(const ExportFacts& facts);
QString ImportText(const ImportFacts& facts);
QByteArray ImportJson(const ImportFacts& facts);

}  // namespace talvex::cli
