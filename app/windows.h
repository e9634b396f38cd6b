#pragma once

#include "program.h"

#include <memory>

namespace talvex {

class MemoryMain;
class RadioMain;

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
    void showRadioWindow() override;
    void hideMemoryWindow() override;

    Program& program() { return program_; }

private:
    Program program_;
    std::unique_ptr<RadioMain> radioWindow_;
    std::unique_ptr<MemoryMain> memoryWindow_;
};

}  // namespace talvex
