#include "program.h"

#include "startup/configuration.h"

namespace talvex {

Program::Program(PlatformServices services, WindowShell& windowShell, std::uint8_t radioAddress)
    : platform(std::move(services)),
      windows(windowShell),
      lineNotices(platform.dialogs),
      link(state, platform.port, platform.dialogs, platform.exit, platform.timers, radioAddress),
      dataFile(state, platform.workingDirectory),
      radio(state, link),
      memory(state, radio, link, dataFile, platform.timers),
      memoryWindow(state, memory, platform.dialogs, platform.exit, memoryTexts.fields()),
      startup(Startup::Parts{state, platform.port, platform.dialogs, platform.exit, link, dataFile,
                             windows, platform.workingDirectory}),
      setup(state, startup, dataFile, platform.dialogs, platform.exit),
      dataSetup(state, dataFile, platform.dialogs, platform.exit)
{
    link.addListener(radioTexts);
    link.addListener(memoryTexts);
    link.addListener(lineNotices);
    // The fields hear an operation's end before the window's end boxes, which let the event loop
    // run: no answer read meanwhile finds the run's standing lines still there.
    memory.removeListener(&memoryWindow);
    memory.addListener(&memoryTexts);
    memory.addListener(&memoryWindow);
    startup.setShown(&memoryTexts);
    dataSetup.setShown(&memoryTexts);
    link.setStartupQueries(&radio);
    link.setReopen([this] {
        return !platform.port.open(PortNumber(state.ConfigCommPort), state.ConfigCommBaud).has_value();
    });
    link.setDisplayChanged([this] { notifyDisplay(); });
    memory.setDisplayChanged([this] { notifyDisplay(); });
    memory.setClock(platform.clock);
    startup.setBeforeEnd([this] { memory.discardUnfinishedFile(); });
    // The Exit menu, a fatal trap and a restart request end the program without the Exit
    // button's port close; the device and its lock file must still go back to the system, and
    // a file being created is thrown away so the old one stands alone.
    platform.exit.setRelease([this] {
        memory.discardUnfinishedFile();
        startup.CloseSerialPort();
    });
}

Program::~Program() { platform.exit.setRelease({}); }

ProgramControls Program::controls()
{
    return ProgramControls{state,   radio,           memory,          memoryWindow, startup, setup, dataSetup,
                           windows, platform.dialogs, platform.timers, display, radioTexts, memoryTexts};
}

}  // namespace talvex
