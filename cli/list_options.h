#pragma once

// The options of export and import, the commands that turn other programs' channel lists into
// data files and back. They fill the channels library's own option values directly, so what
// the command line takes is exactly what the library offers.

#include "channels/eibi_import.h"
#include "channels/import_report.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talvex::cli {

struct ListOptions {
    // export: where the channels come from. Neither: TALVEX.INI's default data file.
    std::optional<QString> from;
    bool fromRadio = false;
    // import
    bool eibi = false;
    channels::ImportOptions import;
    channels::EibiFilter filter;
    // Which options were given, to refuse one on a command or a kind of file it does not fit.
    QStringList given;
};

// What one argument was to the list options: not one of them, one (its value taken), or one
// with a bad or missing value (`error`, a one-line reason).
struct ListOptionStep {
    bool taken = false;
    QString error;
};

// Takes arguments[i] (and its value, advancing i) when it is one of the list options.
ListOptionStep TakeListOption(const QStringList& arguments, qsizetype& i, ListOptions& list);

// The options given fit the command: a one-line reason when they do not, "" when they do.
QString CheckListOptions(bool exporting, bool importing, const ListOptions& list);

}  // namespace talvex::cli
