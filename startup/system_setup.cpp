#include "system_setup.h"

#include "configuration.h"
#include "data_file_setup.h"
#include "datafile/text_routines.h"
#include "startup/opening_boxes.h"

#include "platform/error_text.h"
#include "platform/text_file.h"

#include <QFileInfo>

namespace talvex {

namespace {

QString OrDefault(const QString& value, const QString& fallback) { return value.isEmpty() ? fallback : value; }

}  // namespace

void ShowHelp(Dialogs& dialogs)
{
    dialogs.message(QStringLiteral("Help"), QStringLiteral("Help Yourself"), MessageIcon::None, MessageButtons::Ok);
}

SystemSetup::SystemSetup(ProgramState& state, Startup& startup, DataFile& dataFile, Dialogs& dialogs,
                         ProgramExit& exit)
    : state_(state), startup_(startup), dataFile_(dataFile), dialogs_(dialogs), exit_(exit)
{
}

SetupChoices SystemSetup::choicesShown()
{
    ProgramState& s = state_;
    s.ConfigDeftFile = OrDefault(s.ConfigDeftFile, kDefaultDataFile);
    s.ConfigCallSign = OrDefault(s.ConfigCallSign, kDefaultCallSign);
    s.ConfigCommPort = OrDefault(s.ConfigCommPort, kDefaultCommPort);
    s.ConfigCommBaud = OrDefault(s.ConfigCommBaud, kCommBauds[0]);

    SetupChoices choices;
    for (int n = 1; n <= kPortChoices; ++n) {
        if (s.ConfigCommPort == QStringLiteral("COM%1").arg(n))
            choices.port = n;
    }
    const auto baud = kCommBauds.indexOf(s.ConfigCommBaud);
    if (baud >= 0)
        choices.baud = static_cast<int>(baud);
    choices.callSign = s.ConfigCallSign;
    choices.dataFile = UpperFileName(s.ConfigDeftFile);
    loadedServer_ = ReadServerSetting(settingsDirectory());
    rigServer_ = choices.rigServer = loadedServer_ ? ServerAddressText(*loadedServer_) : QString();
    return choices;
}

void SystemSetup::choosePort(int number) { state_.ConfigCommPort = QStringLiteral("COM%1").arg(number); }

void SystemSetup::chooseRate(int index) { state_.ConfigCommBaud = kCommBauds.at(index); }

void SystemSetup::setCallSign(const QString& callSign)
{
    QString upper = callSign;
    UpperCase(upper);
    state_.ConfigCallSign = upper;
}

void SystemSetup::setDefaultFile(const QString& dataFile)
{
    const QString name = dataFile.isEmpty() || dataFile.front() == u' ' ? kDefaultDataFile : dataFile;
    state_.ConfigDeftFile = AddTxtExtension(name);
}

bool SystemSetup::Save()
{
    ProgramState& s = state_;
    // Save writes TALVEX.INI and reopens the port and the default data file under whatever
    // operation runs: the whole of it waits for Stop.
    if (RefuseWhileMemoryOperationRuns(s, dialogs_, QStringLiteral("Save")))
        return false;
    const QString deftFile = UpperFileName(OrDefault(s.ConfigDeftFile, kDefaultDataFile));
    const QString callSign = OrDefault(s.ConfigCallSign, kDefaultCallSign);
    const QString commPort = OrDefault(s.ConfigCommPort, kDefaultCommPort);
    const QString commBaud = OrDefault(s.ConfigCommBaud, kCommBauds[0]);
    const auto server = ParseServerAddress(rigServer_);
    if (!rigServer_.isEmpty() && !server) {
        dialogs_.critical(QStringLiteral("Rig Server"),
                          QStringLiteral("\"%1\" is no rig server address ... Type a port (4532) or an address and a "
                                         "port (127.0.0.1:4532), or leave it empty to serve no client.")
                              .arg(rigServer_));
        return false;
    }

    // Written beside the old file and renamed into place: a failed write keeps the old one.
    if (const auto error = WriteLinesAtomically(startup_.configPath(),
                                                ConfigurationLines(deftFile, callSign, commPort, commBaud))) {
        dialogs_.critical(QStringLiteral("Unexpected Open Config File Error"),
                          ErrorCodeText(*error, {kConfigFileName, QStringLiteral("Output")}));
        return false;
    }
    // Its own file, so that TALVEX.INI keeps its eight lines, and written only when the setting
    // changed, so that an operator who never serves never finds it. A write that fails leaves
    // the server as it was and says so, while the rest of the setup stands.
    bool moveServer = server != loadedServer_;
    if (moveServer && !WriteServerSetting(settingsDirectory(), server)) {
        moveServer = false;
        dialogs_.critical(QStringLiteral("Rig Server"),
                          QStringLiteral("TALVEX-SERVER.INI could not be written ... the rig server setting is unchanged."));
    }
    if (moveServer)
        loadedServer_ = server;
    s.ConfigDeftFile = deftFile;
    s.ConfigCallSign = callSign;
    s.ConfigCommPort = commPort;
    s.ConfigCommBaud = commBaud;

    startup_.OpenSerialPort();
    ShowOpening(dialogs_, exit_, dataFile_.OpenDataFile(s.ConfigDeftFile, FileMode::Input));
    if (OpeningShown* shown = startup_.shown()) {
        shown->dataFileShown(s.CurrentDataFile);
        // A default file that did not open has had its own message; completion would hide it.
        if (s.DataFileOpen)
            shown->openingDone(OpeningDone::Setup);
    }
    // After the port: a transmitter a client keyed was released as the port closed, before
    // the server lets that client go.
    if (moveServer && serveAt_) {
        if (const auto error = serveAt_(server))
            dialogs_.critical(QStringLiteral("Rig Server"),
                              QStringLiteral("The rig server cannot listen on %1 ... %2 ... No client is served until "
                                             "another address is saved here or this one is free at the next start.")
                                  .arg(ServerAddressText(*server), *error));
    }
    restartIfConfigMissing();
    return true;
}

void SystemSetup::Quit() { restartIfConfigMissing(); }

QString SystemSetup::settingsDirectory() const { return QFileInfo(startup_.configPath()).absolutePath(); }

void SystemSetup::restartIfConfigMissing()
{
    if (!state_.ConfigMissing)
        return;
    dialogs_.critical(QStringLiteral("Restart (creating missing file)"), QStringLiteral("Restart program!"));
    exit_.end(0);
}

}  // namespace talvex
