#include "windows.h"

#include "radio/window/radio_main.h"

namespace talvex {

Windows::Windows(PlatformServices services) : program_(std::move(services), *this) {}

Windows::~Windows() = default;

void Windows::start()
{
    radioWindow_ = std::make_unique<RadioMain>(program_);
    program_.startup.RunStartup();
    program_.notifyDisplay();
    radioWindow_->show();
}

void Windows::showSplash() {}

void Windows::showSetup() {}

void Windows::showMemoryWindow() {}

void Windows::showRadioWindow()
{
    radioWindow_->show();
    radioWindow_->raise();
}

}  // namespace talvex
