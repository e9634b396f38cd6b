#pragma once

#include "state/program_state.h"
#include "link/radio_model.h"
#include "link/serial_link.h"
#include "datafile/data_file.h"
#include "memory/memory_operations.h"
#include "memory/window/channel_fields.h"
#include "memory/window/memory_window_operations.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/program_exit.h"
#include "platform/serial_port.h"
#include "platform/timer.h"
#include "radio/radio_operations.h"
#include "radio/window/line_notices.h"
#include "radio/window/radio_fields.h"
#include "startup/data_file_setup.h"
#include "startup/program_controls.h"
#include "startup/startup.h"
#include "startup/system_setup.h"
#include "startup/window_shell.h"

#include <QString>

#include <functional>
#include <vector>

namespace talvex {

// What the program is given by the platform: the real one in the application, a scripted
// one in tests.
struct PlatformServices {
    SerialPort& port;
    Dialogs& dialogs;
    TimerFactory& timers;
    ProgramExit& exit;
    QString workingDirectory;
    // Names the backups taken before the radio's channels are changed; none, no backups.
    const Clock* clock = nullptr;
};

// The program without its windows: the shared state and every part that works on it, wired
// together once. The windows show `state` and call the procedures.
class Program {
public:
    // `radioAddress`: the radio's CI-V address for this run. The windows always use the
    // description's; talvex-mem takes the one the operator set on the radio.
    Program(PlatformServices platform, WindowShell& windows, std::uint8_t radioAddress = kRadio.address);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The part of the program a window may reach.
    ProgramControls controls();

    // Windows register here to redraw from `state` after anything may have changed it.
    void addDisplayListener(std::function<void()> listener) { display.add(std::move(listener)); }
    void notifyDisplay() const { display.notify(); }

    PlatformServices platform;
    WindowShell& windows;
    ProgramState state;
    // The windows' field texts of what the link reads, kept whether or not a window shows them.
    RadioFieldTexts radioTexts;
    MemoryChannelFields memoryTexts;
    // The windows' boxes for the connection advice between operations and a line gone.
    LineNotices lineNotices;
    SerialLink link;
    DataFile dataFile;
    RadioOperations radio;
    MemoryOperations memory;
    // The Memory window's procedures: its questions and message boxes around the engine.
    MemoryWindowOperations memoryWindow;
    Startup startup;
    SystemSetup setup;
    DataFileSetup dataSetup;
    DisplayListeners display;
};

}  // namespace talvex
