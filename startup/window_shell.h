#pragma once

namespace talvex {

// The windows, as the program asks for them: start-up shows the splash and, without a
// configuration, System Setup; the menus and buttons move between the others. Every window is
// a single instance. The real windows implement this; tests record what was asked.
class WindowShell {
public:
    virtual ~WindowShell() = default;
    virtual void showSplash() = 0;
    virtual void showSetup() = 0;
    virtual void showMemoryWindow() {}
    virtual void showDataSetup() {}
    virtual void showRadioWindow() {}
    virtual void hideMemoryWindow() {}
    virtual void showChannelEditor() {}
};

}  // namespace talvex
