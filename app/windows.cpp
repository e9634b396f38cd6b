#include "windows.h"

#include "editor/window/channel_editor_window.h"
#include "memory/window/memory_main.h"
#include "radio/window/radio_main.h"
#include "startup/windows/data_main.h"
#include "startup/windows/setup_main.h"
#include "startup/windows/splash_main.h"

namespace talvex {

Windows::Windows(PlatformServices services) : program_(std::move(services), *this) {}

Windows::~Windows()
{
    // The windows made on demand refer to the program: they go before it does.
    delete splash_.data();
    delete setup_.data();
    delete dataSetup_.data();
    delete channelEditor_.data();
}

void Windows::start()
{
    // Every way out of the program (the Exit buttons and menus, a main window's close box) asks
    // first about the editor's unsaved changes, then drops what the program itself left unfinished.
    program_.startup.setBeforeEnd([this] {
        if (channelEditor_)
            channelEditor_->saveBeforeEnd();
        program_.memory.discardUnfinishedFile();
    });
    radioWindow_ = std::make_unique<RadioMain>(program_.controls());
    // The Memory window exists, hidden, from the start: its operations and fields are there
    // before it is first shown.
    memoryWindow_ = std::make_unique<MemoryMain>(program_.controls());
    radioWindow_->show();
    program_.startup.RunStartup();
    program_.notifyDisplay();
    if (splash_)
        splash_->raise();
}

// Start-up asks twice (once per main window); the splash shows once per run.
void Windows::showSplash()
{
    if (splashShown_)
        return;
    splashShown_ = true;
    splash_ = new SplashMain(program_.controls());
    splash_->show();
}

void Windows::showSetup()
{
    if (!setup_)
        setup_ = new SetupMain(program_.controls());
    setup_->show();
    setup_->raise();
    setup_->activateWindow();
}

void Windows::showDataSetup()
{
    if (!dataSetup_)
        dataSetup_ = new DataMain(program_.controls());
    dataSetup_->show();
    dataSetup_->raise();
    dataSetup_->activateWindow();
}

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

namespace talvex {

// One editor for the run, made on first use; shown again it reads the file anew unless it holds
// unsaved changes.
void Windows::showChannelEditor()
{
    if (!channelEditor_)
        channelEditor_ = new editor::ChannelEditorWindow(program_.controls());
    else
        channelEditor_->openCurrentFile();
    channelEditor_->show();
    channelEditor_->raise();
    channelEditor_->activateWindow();
}

}  // namespace talvex
