#pragma once

#include "data_line.h"
#include "file_notice.h"

#include "platform/dialogs.h"
#include "platform/error_text.h"
#include "platform/program_exit.h"
#include "platform/text_file.h"
#include "state/program_state.h"

#include <QString>

#include <optional>

namespace talvex {

// The one data file open at a time ("file number 1"), for reading or for writing from empty.
class DataFile {
public:
    DataFile(ProgramState& state, Dialogs& dialogs, ProgramExit& exit, QString workingDirectory);

    // Opens a bare name in the working directory or a path as given; on success the path is
    // written back into `name` and becomes the current data file. A missing file is created (and
    // said so) as it always was; what left nothing open comes back for the caller to show.
    [[nodiscard]] std::optional<FileNotice> OpenDataFile(QString& name, FileMode mode);
    // Opens `path` unchanged, leaving the current data file's names alone; as OpenDataFile, what
    // left nothing open comes back.
    [[nodiscard]] std::optional<FileNotice> ReopenDataFile(const QString& path, FileMode mode);
    void CloseDataFile();
    // The next line into `line`; at the end of the file `line` keeps what it held.
    bool ReadDataLine(QString& line);
    bool WriteDataLine(std::initializer_list<ZoneField> fields);

    bool atEnd() const { return file_.atEnd(); }
    bool isOpen() const { return file_.isOpen(); }
    bool isReading() const { return file_.isReading(); }
    QString workingDirectory() const { return workingDirectory_; }
    // The path a name opens: bare names in the working directory (found whatever their letter
    // case), anything else as given.
    QString resolve(const QString& name) const;

private:
    ProgramState& state_;
    Dialogs& dialogs_;
    ProgramExit& exit_;
    QString workingDirectory_;
    TextFile file_;
};

QString ModeText(FileMode mode);

// The failure of an open, shown at once, where the opening was the operator's own doing.
inline void ShowNotice(Dialogs& dialogs, const std::optional<FileNotice>& notice)
{
    if (notice)
        dialogs.critical(notice->title, notice->text);
}

}  // namespace talvex
