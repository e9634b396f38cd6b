#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace talvex {

// Everything the parts share, in one place, under the names the program has always used: the
// switches and names every floor reads. No window's field text is kept here: each window keeps
// its own. Nothing else is program-wide.
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

    // The rig server's last word to the operator (a client's set refused, a transmitter
    // released), on the Radio window's status bar; empty while there is none.
    QString ServerNotice;

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
