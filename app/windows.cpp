#include "windows.h"

#include "memory/window/memory_main.h"
#include "radio/window/radio_main.h"

namespace talvex {

Windows::Windows(PlatformServices services) : program_(std::move(services), *this) {}

Windows::~Windows() = default;

void Windows::start()
{
    radioWindow_ = std::make_unique<RadioMain>(program_);
    // The Memory window exists, hidden, from the start: its operations and fields are there
    // before it is first shown.
    memoryWindow_ = std::make_unique<MemoryMain>(program_);
    program_.startup.RunStartup();
    program_.notifyDisplay();
    radioWindow_->show();
}

void Windows::showSplash() {}

void Windows::showSetup() {}

void Windows::showMemoryWindow()
{
    memoryWindow_->show();
    memoryWindow_->raise();
    memoryWindow_->activateWindow();
}

void Windows::hideMemoryWindow() { memoryWindow_->hide(); }

void Windows::showRadioWindow()
{
    radioWindow_->show();
    radioWindow_->raise();
    radioWindow_->activateWindow();
}

}  // namespace talvex
