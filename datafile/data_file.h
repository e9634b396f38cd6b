#pragma once

#include "data_line.h"
#include "file_notice.h"

#include "platform/error_text.h"
#include "platform/text_file.h"
#include "state/program_state.h"

#include <QString>

#include <optional>
#include <vector>

namespace talvex {

// What opening a data file came to, for whoever asked to tell: the windows in boxes, the
// command line on standard error.
struct FileOpening {
    std::vector<FileNotice> said;       // on the way, in order: a missing file is created, or not
    std::optional<FileNotice> failure;  // nothing is open, and why
    bool restart = false;               // a missing file was created for it: the program starts again
};

// The one data file open at a time ("file number 1"), for reading or for writing from empty.
class DataFile {
public:
    DataFile(ProgramState& state, QString workingDirectory);

    // Opens a bare name in the working directory or a path as given; on success the path is
    // written back into `name` and becomes the current data file. A missing file asked for
    // reading is created empty, as it always was (unless `missing` refuses it), and then wants a
    // restart. Nothing is shown here: the opening comes back for the asker to tell its own way.
    [[nodiscard]] FileOpening OpenDataFile(QString& name, FileMode mode, MissingFile missing = MissingFile::Create);
    // Opens `path` unchanged, leaving the current data file's names alone. A missing file is
    // created empty and opened, and said so.
    [[nodiscard]] FileOpening ReopenDataFile(const QString& path, FileMode mode);
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
    QString workingDirectory_;
    TextFile file_;
};

QString ModeText(FileMode mode);

}  // namespace talvex
