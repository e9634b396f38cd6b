#pragma once

#include "program.h"

#include <QPointer>

#include <memory>

namespace talvex {

class DataMain;
class MemoryMain;
class RadioMain;
class SetupMain;
class SplashMain;
namespace editor {
class ChannelEditorWindow;
}

// The program's windows around one Program: each a single instance, created once and shown or
// hidden as the program asks.
class Windows final : public WindowShell {
public:
    explicit Windows(PlatformServices services);
    ~Windows() override;

    void start();
    void showSplash() override;
    void showSetup() override;
    void showMemoryWindow() override;
    void showDataSetup() override;
    void showRadioWindow() override;
    void hideMemoryWindow() override;
    void showChannelEditor() override;

    Program& program() { return program_; }

private:
    Program program_;
    std::unique_ptr<RadioMain> radioWindow_;
    std::unique_ptr<MemoryMain> memoryWindow_;
    // Created on demand; they delete themselves when closed.
    QPointer<SplashMain> splash_;
    QPointer<SetupMain> setup_;
    QPointer<DataMain> dataSetup_;
    QPointer<editor::ChannelEditorWindow> channelEditor_;
    bool splashShown_ = false;
};

}  // namespace talvex
