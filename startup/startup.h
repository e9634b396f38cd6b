#pragma once

#include "opening_shown.h"
#include "window_shell.h"

#include "state/program_state.h"
#include "link/serial_link.h"
#include "datafile/data_file.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "platform/serial_port.h"

#include <functional>

namespace talvex {

// The radio the program drives, by name: the product the splash window shows.
QString ProductName();

// Bringing the program up and taking it down: configuration, the serial port, the default
// data file, and the query chain that proves the radio answers.
class Startup {
public:
    struct Parts {
        ProgramState& state;
        SerialPort& port;
        Dialogs& dialogs;
        ProgramExit& exit;
        SerialLink& link;
        DataFile& dataFile;
        WindowShell& windows;
        QString workingDirectory;
    };

    explicit Startup(Parts parts);

    // Runs at the load of each main window. The first run loads the Memory window, whose own
    // load runs the whole sequence once inside this one, so at program start it runs twice.
    void RunStartup();
    void ResetOperationState();
    void InitialiseProtocol();
    void ReadConfiguration();
    void OpenSerialPort();
    void CloseSerialPort();

    // Exit button: data file, port, end. Exit menu items: data file, end.
    [[noreturn]] void ExitButton();
    [[noreturn]] void ExitMenu();
    // Work that must be undone before the program ends (a file being created is discarded).
    void setBeforeEnd(std::function<void()> beforeEnd) { beforeEnd_ = std::move(beforeEnd); }
    // Called while the port is still open, each time it is about to close.
    void setBeforePortClose(std::function<void()> beforeClose) { beforePortClose_ = std::move(beforeClose); }
    // The Memory window's words for the openings; none, nothing is told.
    void setShown(OpeningShown* shown) { shown_ = shown; }
    OpeningShown* shown() const { return shown_; }

    QString configPath() const;

private:
    // Nothing when the file could not be opened for reading.
    std::optional<QStringList> ReadConfigFile();

    Parts p_;
    bool memoryWindowLoaded_ = false;
    std::function<void()> beforeEnd_;
    std::function<void()> beforePortClose_;
    OpeningShown* shown_ = nullptr;
};

}  // namespace talvex
