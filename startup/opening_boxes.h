#pragma once

#include "datafile/data_file.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"

namespace talvex {

// A data file's opening the operator asked for, told in the windows' boxes in the order it came
// to pass: what was said on the way, why nothing is open, and, when a missing file was created
// for it, the restart that reads it.
inline void ShowOpening(Dialogs& dialogs, ProgramExit& exit, const FileOpening& opening)
{
    for (const FileNotice& notice : opening.said)
        dialogs.critical(notice.title, notice.text);
    if (opening.failure)
        dialogs.critical(opening.failure->title, opening.failure->text);
    if (opening.restart) {
        dialogs.critical(QStringLiteral("Restart (creating missing file)"), QStringLiteral("Restart program!"));
        exit.end(0);
    }
}

}  // namespace talvex
