#include "memory/view_file.h"

#include "datafile/file_line.h"

namespace talvex {

ViewFile::ViewFile(OperationContext& context) : Stepper(context, context.state.ViewingFile, QStringLiteral("View File"))
{
}

std::optional<Refused> ViewFile::start()
{
    const FileOpening opening = c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input);
    c_.tellOpening(opening);
    if (opening.failure)
        return Refused{RefusalReason::FileUnreadable, opening.failure->title, opening.failure->text};
    c_.state.ViewingFile = true;
    return std::nullopt;
}

void ViewFile::step()
{
    ProgramState& s = c_.state;
    if (!c_.dataFile.isOpen()) {
        halt(StopKind::FileError, QStringLiteral("The data file is not open ... View File stopped."));
        return;
    }
    QString line;
    if (c_.dataFile.atEnd() || !c_.dataFile.ReadDataLine(line)) {
        s.ViewingFile = false;
        return;
    }
    c_.tellEach([&line](MemoryListener& listener) { listener.lineReached(line); });
    // END typed from column 1 ends the file as it ends Update Rig: nothing after it is shown.
    if (KindOf(line) == LineKind::End) {
        c_.tellEach([](MemoryListener& listener) { listener.endLineReached(); });
        s.ViewingFile = false;
    }
}

}  // namespace talvex
