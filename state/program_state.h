#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace talvex {

// The texts of the Memory Operations window's display fields.
struct MemoryFields {
    QString Text1;  // channel
    QString Text2;  // select mark
    QString Text3;  // frequency
    QString Text4;  // mode
    QString Text5;  // filter
    QString Text6;  // name, greeting
    QString Text7;  // summary line, messages
    QString Text8;  // current data file
    QString Text9;  // message area (traffic)
    bool Text8Bold = false;

    // Empties the channel, file-line and message fields; the file name and traffic stay.
    void clearShown()
    {
        for (QString* field : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7})
            field->clear();
    }
};

// Everything the windows share, in one place, under the names the program has always used.
// Windows show these texts and write these variables; nothing else is program-wide.
struct ProgramState {
    // Link
    int PortReady = 0;  // 1 exactly while the port is open after a successful opening
    int StartupQueryStep = 0;
    bool AutoStatus = true;
    bool HexDisplay = true;

    // Memory operations
    bool CreatingFile = false;
    bool ViewingFile = false;
    bool UpdatingRig = false;
    bool ViewingRig = false;
    bool BlankingRig = false;
    bool ScanningRig = false;
    bool ComparingRig = false;  // Compare Rig: the channels a data file names read, nothing written
    int ChannelCounter = 0;
    int FirstChannel = 0;
    int LastChannel = 0;
    int ScanSpeed = 0;
    bool ScanStopRequest = false;

    // Current data file
    QString CurrentDataFile;
    QString CurrentFileName;
    bool DataFileOpen = false;

    // Configuration
    QString ConfigDeftFile;
    QString ConfigCallSign;
    QString ConfigCommPort;
    QString ConfigCommBaud;
    bool ConfigMissing = false;

    MemoryFields memory;
    // The rig server's last word to the operator (a client's set refused, a transmitter
    // released), on the Radio window's status bar; empty while there is none.
    QString ServerNotice;

    // Lines that hold the Memory window's message line (Text7) while they stand, against what
    // each answer and step would write there: the connection advice given while a memory
    // operation runs, until it ends (several causes may be told in one run; the newest shows),
    // and below it a backup's progress while the backup is being saved.
    QStringList MemoryAdvice;
    QString BackupProgress;

    // Writes `text` into the Memory window's Text7, unless a standing line holds it: then that
    // line shows.
    void showMemoryMessage(const QString& text)
    {
        memory.Text7 = !MemoryAdvice.isEmpty()   ? MemoryAdvice.last()
                       : !BackupProgress.isEmpty() ? BackupProgress
                                                   : text;
    }
    void showBackupProgress(const QString& text)
    {
        BackupProgress = text;
        showMemoryMessage(text);
    }

    bool anyMemoryOperationRunning() const
    {
        return CreatingFile || ViewingFile || UpdatingRig || ViewingRig || BlankingRig || ScanningRig || ComparingRig;
    }
    void clearMemoryOperationFlags()
    {
        CreatingFile = ViewingFile = UpdatingRig = ViewingRig = BlankingRig = ScanningRig = ComparingRig = false;
    }
};

// The memory operation that runs, by the name of its button; nothing when none runs. At most
// one flag is set at a time; should more be, the first in button order is named.
inline std::optional<QString> RunningMemoryOperation(const ProgramState& s)
{
    const std::pair<bool, const char*> operations[] = {
        {s.CreatingFile, "Create File"}, {s.ViewingFile, "View File"}, {s.UpdatingRig, "Update Rig"},
        {s.ViewingRig, "View Rig"},      {s.BlankingRig, "Blank Rig"}, {s.ScanningRig, "Scan Rig"},
        {s.ComparingRig, "Compare Rig"},
    };
    for (const auto& [running, name] : operations) {
        if (running)
            return QString::fromLatin1(name);
    }
    return std::nullopt;
}

// Every refusal while a memory operation runs reads the same way, under this title: what runs,
// what was refused, and how to get on ("View Rig is running ... Save is refused until Stop ends
// it.").
inline const QString kBusyTitle = QStringLiteral("Memory Operations");
inline QString BusyRefusal(const QString& running, const QString& refused)
{
    return running + QStringLiteral(" is running ... ") + refused + QStringLiteral(" is refused until Stop ends it.");
}

}  // namespace talvex
