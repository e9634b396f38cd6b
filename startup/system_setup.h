#pragma once

#include "server_setting.h"
#include "startup.h"

#include "link/radio_model.h"
#include "datafile/data_file.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "state/program_state.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace talvex {

inline const QString kDefaultCallSign = QStringLiteral("N0CALL");
inline const QString kDefaultDataFile = QStringLiteral("TALVEX.TXT");
inline const QString kDefaultCommPort = QStringLiteral("COM1");
// The settings the radio's CI-V port runs at, in the order the window offers them.
inline const QStringList kCommBauds = [] {
    QStringList settings;
    for (const int rate : kRadio.setupRates)
        settings << QString::number(rate) + QStringLiteral(",N,8,1");
    return settings;
}();
inline constexpr int kPortChoices = 8;

// What the System Setup window shows when it opens.
struct SetupChoices {
    std::optional<int> port;  // 1-8, nothing when the configured port is none of them
    std::optional<int> baud;  // index into kCommBauds
    QString callSign;
    QString dataFile;
    QString rigServer;  // "127.0.0.1:4532"; empty: the server is off
};

// The System Setup window's work: it edits the configuration values in place, and Save writes
// them to TALVEX.INI and opens the port and the default data file again at once.
class SystemSetup {
public:
    SystemSetup(ProgramState& state, Startup& startup, DataFile& dataFile, Dialogs& dialogs, ProgramExit& exit);

    // What the window opens with: the configuration's port, rate, call sign and file.
    SetupChoices choicesShown();
    void choosePort(int number);  // "Com 1" ... "Com 8"
    void chooseRate(int index);   // in the order the window offers the rates
    void setCallSign(const QString& callSign);
    void setDefaultFile(const QString& dataFile);
    // The rig server's [ADDRESS:]PORT as typed; empty turns it off. Save writes it into
    // TALVEX-SERVER.INI and, when it changed, has the server moved there at once.
    void setRigServer(const QString& address) { rigServer_ = address.trimmed(); }
    // What moves the running rig server (nothing: stops it); the error in words when the
    // address cannot be taken. Without one, a changed setting waits for the next start.
    using ServeAt = std::function<std::optional<QString>(const std::optional<ServerAddress>&)>;
    void setServeAt(ServeAt serveAt) { serveAt_ = std::move(serveAt); }
    // True when the window closes; false when TALVEX.INI could not be written or a memory
    // operation runs (nothing changed).
    // Ends the program when the configuration was missing at start.
    bool Save();
    // Ends the program when the configuration was missing at start.
    void Quit();

private:
    void restartIfConfigMissing();
    QString settingsDirectory() const;

    ProgramState& state_;
    Startup& startup_;
    DataFile& dataFile_;
    Dialogs& dialogs_;
    ProgramExit& exit_;
    QString rigServer_;
    std::optional<ServerAddress> loadedServer_;  // as the setting file had it when the window opened
    ServeAt serveAt_;
};

// The same "Help Yourself" box every window's Help menu shows.
void ShowHelp(Dialogs& dialogs);

}  // namespace talvex
