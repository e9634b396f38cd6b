#pragma once

#include "datafile/file_notice.h"
#include "memory/channel_range.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace talvex {

// What a face asks of the memory engine, with every answer the engine would otherwise need
// from the operator: the engine asks nothing itself.
struct MemoryRequest {
    // Update Rig: a file of the working folder instead of the current data file, and what a
    // missing one comes to: refused, or made empty for a restart to read it.
    QString file;
    MissingFile missingFile = MissingFile::Refuse;
    // Compare Rig: the lines to compare, a data file's or an editor's.
    QStringList lines;
    // Blank Rig and Scan Rig: the channels, as the operator typed them.
    std::optional<ChannelRange> range;
    // Scan Rig: the speed as typed ("5"; only a single digit 1-9 sets the pace). Needed, as the
    // range is: without it the scan is refused with NoRange.
    std::optional<QString> scanSpeed;
    // The operator's Yes to a change of the radio or the data file.
    bool confirmed = false;
    // Update Rig: the answer to writing the other lines when some cannot go into the radio.
    std::optional<bool> writeDespiteSkippedLines;
};

// Why an operation did not start. The questions (unconfirmed, noRange, skippedLinesUnanswered)
// are refusals too: a face that can ask asks the question the refusal carries, then starts
// again with the answer in the request.
enum class RefusalReason {
    Busy,                    // another operation runs
    NoRadio,                 // the port is not open
    NoDataFile,              // no data file is chosen
    FileUnreadable,          // the data file or the named file cannot be opened
    FileUnwritable,          // Create File's new file cannot be made
    IncompleteBackup,        // the file is a backup cut short: nothing is written from it
    BackupNotMade,           // the channels could not be read or saved first
    Unconfirmed,             // the operator has not said Yes
    NoRange,                 // Blank Rig or Scan Rig without its channels
    SkippedLinesUnanswered,  // lines the radio cannot take, and no answer to writing the others
    SkippedLinesDeclined,    // the operator said No to writing the others
    MissingFileCreated,      // the named file was missing and is made empty: the program starts again
};

struct Refused {
    RefusalReason reason;
    // What the operator is shown: a message box's title and text (the question itself for the
    // refusals that ask one); an empty text when nothing is to be shown.
    QString title;
    QString text;
    bool critical = true;  // the box carries the critical icon
};

struct Started {};

using StartResult = std::variant<Started, Refused>;

inline bool WasStarted(const StartResult& result) { return std::holds_alternative<Started>(result); }

}  // namespace talvex
