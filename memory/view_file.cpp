#include "memory/view_file.h"

#include "datafile/file_line.h"

namespace talvex {

void ShowFileLine(MemoryFields& m, const QString& line)
{
    const LineDisplay shown = DisplayOf(line);
    m.Text1 = shown.channel;
    m.Text3 = shown.frequency;
    m.Text4 = shown.mode;
    m.Text5 = shown.filter;
    m.Text2 = shown.select;
    m.Text6 = shown.label;
    m.Text7 = line;
}

ViewFile::ViewFile(OperationContext& context) : Stepper(context, context.state.ViewingFile, QStringLiteral("View File"))
{
}

std::optional<Refused> ViewFile::start()
{
    c_.dataFile.ReopenDataFile(c_.state.CurrentDataFile, FileMode::Input);
    if (!c_.dataFile.isOpen())
        return refuse(RefusalReason::FileUnreadable, QString());  // the open routine has said why
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
    ShowFileLine(s.memory, line);
    // END typed from column 1 ends the file as it ends Update Rig: nothing after it is shown.
    if (KindOf(line) == LineKind::End) {
        s.memory.Text1 = QStringLiteral("END");
        s.ViewingFile = false;
    }
}

}  // namespace talvex
