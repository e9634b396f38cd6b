#include "startup.h"

#include "configuration.h"
#include "datafile/text_routines.h"
#include "startup/opening_boxes.h"

#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"
#include "platform/error_text.h"
#include "platform/text_file.h"

namespace talvex {

namespace {

const QString kDots = QStringLiteral(" ... ");

}  // namespace

QString ProductName() { return RadioName(); }

Startup::Startup(Parts parts) : p_(std::move(parts)) {}

QString Startup::configPath() const
{
    return ResolveNameIgnoringCase(JoinPath(p_.workingDirectory, kConfigFileName));
}

void Startup::RunStartup()
{
    if (!memoryWindowLoaded_) {
        // Loading the Memory window hidden runs its own start-up first.
        memoryWindowLoaded_ = true;
        RunStartup();
    }
    p_.windows.showSplash();
    ResetOperationState();
    InitialiseProtocol();
    ReadConfiguration();
    if (p_.port.isOpen())
        p_.link.startQueryChain();
}

void Startup::ResetOperationState()
{
    ProgramState& s = p_.state;
    s.clearMemoryOperationFlags();
    s.DataFileOpen = false;
    s.ChannelCounter = 0;
}

void Startup::InitialiseProtocol()
{
    ProgramState& s = p_.state;
    s.AutoStatus = true;
    p_.link.disarmAnswerTimer();
}

std::optional<QStringList> Startup::ReadConfigFile()
{
    const QString path = configPath();
    TextFile file;
    auto error = file.open(path, FileMode::Input);
    if (error && error->number == kErrorFileNotFound) {
        p_.dialogs.critical(QStringLiteral("OPEN CONFIG FILE ERROR"),
                            ErrorCodeText(*error, {kConfigFileName, QStringLiteral("File will be created.")}));
        TextFile created;
        created.open(path, FileMode::Output);
        created.close();
        p_.state.ConfigMissing = true;
        error = file.open(path, FileMode::Input);
    }
    if (error) {
        p_.dialogs.critical(QStringLiteral("Unexpected Open Config File Error"),
                            ErrorCodeText(*error, {kConfigFileName, QStringLiteral("Input")}));
        return std::nullopt;
    }
    QStringList lines;
    while (auto line = file.readLine())
        lines.append(*line);
    return lines;
}

void Startup::ReadConfiguration()
{
    const auto lines = ReadConfigFile();
    // A file that cannot be read leaves the port closed and opens nothing: the message
    // already said why.
    if (!lines)
        return;

    ProgramState& s = p_.state;
    const ConfigurationValues values = ParseConfiguration(*lines);
    s.ConfigDeftFile = values.deftFile.value_or(s.ConfigDeftFile);
    s.ConfigCallSign = values.callSign.value_or(s.ConfigCallSign);
    s.ConfigCommPort = values.commPort.value_or(s.ConfigCommPort);
    s.ConfigCommBaud = values.commBaud.value_or(s.ConfigCommBaud);

    if (values.lastLine == u"END") {
        OpenSerialPort();
        ShowOpening(p_.dialogs, p_.exit, p_.dataFile.OpenDataFile(s.ConfigDeftFile, FileMode::Input));
        if (shown_) {
            shown_->dataFileShown(s.CurrentDataFile);
            // The data file's own message has said why it did not open; claiming completion
            // would hide that.
            if (s.DataFileOpen)
                shown_->openingDone(OpeningDone::Startup);
            shown_->operatorGreeted(s.ConfigCallSign);
        }
    } else if (!values.lastLine || values.lastLine->isEmpty()) {
        s.ConfigMissing = true;
        p_.windows.showSetup();
    }
}

void Startup::OpenSerialPort()
{
    ProgramState& s = p_.state;
    // Reopening (System Setup's Save) closes the port the way Exit does: whatever must reach
    // the radio before it closes (a client's keyed transmitter released) goes first.
    if (p_.port.isOpen())
        CloseSerialPort();
    s.PortReady = 0;

    const auto error = p_.port.open(PortNumber(s.ConfigCommPort), s.ConfigCommBaud);
    if (error) {
        const QString text = ErrorCodeText(*error, {s.ConfigCommPort, s.ConfigCommBaud});
        if (error->number == kErrorInvalidPortNumber) {
            p_.dialogs.critical(QStringLiteral("OPEN COMM PORT ERROR!"), text);
            p_.dialogs.critical(QStringLiteral("UNEXPECTED COMM PORT CONDITION"),
                                QStringLiteral("Correct Comm Port Condition") + kDots
                                    + QStringLiteral("then Restart Program!"));
            p_.exit.end(1);
        }
        p_.dialogs.critical(error->number == kErrorPortAlreadyOpen
                                ? QStringLiteral("Comm Port Error - Port Already Open")
                                : QStringLiteral("Open Comm Port - Unexpected Error"),
                            text);
        return;
    }
    if (p_.port.isOpen())
        s.PortReady = 1;
    // Nothing received before this moment may reach the decoder.
    for (int i = 0; i < 99; ++i)
        p_.port.readAll();
}

void Startup::CloseSerialPort()
{
    if (beforePortClose_ && p_.port.isOpen())
        beforePortClose_();
    p_.port.close();
    p_.state.PortReady = 0;
}

void Startup::ExitButton()
{
    if (beforeEnd_)
        beforeEnd_();
    p_.dataFile.CloseDataFile();
    CloseSerialPort();
    p_.exit.end(0);
}

void Startup::ExitMenu()
{
    if (beforeEnd_)
        beforeEnd_();
    p_.dataFile.CloseDataFile();
    p_.exit.end(0);
}

}  // namespace talvex
