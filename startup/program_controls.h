#pragma once

#include "state/program_state.h"

#include <functional>
#include <utility>
#include <vector>

namespace talvex {

class DataFileSetup;
class Dialogs;
class MemoryChannelFields;
class MemoryOperations;
class MemoryWindowOperations;
class RadioFieldTexts;
class RadioOperations;
class Startup;
class SystemSetup;
class TimerFactory;
class WindowShell;

// Windows register here to redraw from the program state after anything may have changed it.
class DisplayListeners {
public:
    void add(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }
    void notify() const
    {
        for (const auto& listener : listeners_)
            listener();
    }

private:
    std::vector<std::function<void()>> listeners_;
};

// All a window may reach of the program: the state it shows, the procedures its controls call,
// the other windows, and the redraw that follows a click. The link, the port and the data file
// stay out of reach, so a window cannot send or write anything a procedure did not.
struct ProgramControls {
    ProgramState& state;
    RadioOperations& radio;
    MemoryOperations& memory;
    MemoryWindowOperations& memoryWindow;
    Startup& startup;
    SystemSetup& setup;
    DataFileSetup& dataSetup;
    WindowShell& windows;
    Dialogs& dialogs;
    TimerFactory& timers;
    DisplayListeners& display;
    // The Radio window's field texts, which the link's readings write.
    RadioFieldTexts& radioTexts;
    // The Memory window's field texts, which the link's readings and the memory engine write.
    MemoryChannelFields& memoryTexts;

    void addDisplayListener(std::function<void()> listener) { display.add(std::move(listener)); }
    void notifyDisplay() const { display.notify(); }
};

}  // namespace talvex
