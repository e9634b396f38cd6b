#pragma once

#include "memory/window/memory_main.h"

#include "tests/support/click.h"
#include "tests/support/test_program.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace talvex::testing {

// Records every window the Memory window asks for.
class CountingShell final : public WindowShell {
public:
    void showSplash() override {}
    void showSetup() override { ++setupShown; }
    void showDataSetup() override { ++dataSetupShown; }
    void showRadioWindow() override { ++radioShown; }
    int setupShown = 0;
    int dataSetupShown = 0;
    int radioShown = 0;
};

// The Memory window on the scripted platform, its port open and nothing written yet.
class MemoryWindowTest : public ::testing::Test {
protected:
    MemoryWindowTest()
        : program(PlatformServices{t.port, t.dialogs, t.timers, t.exit, t.directory.path()}, shell)
    {
        program.state.ConfigCommPort = QStringLiteral("COM1");
        program.state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
        program.startup.OpenSerialPort();
        window = std::make_unique<MemoryMain>(program);
        window->show();
        t.port.takeWrites();
    }

    template <typename Widget>
    Widget& find(const char* name)
    {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }

    void click(const char* name) { Click(find<QWidget>(name)); }

    ManualTimer& memoryTimer(int number) { return static_cast<ManualTimer&>(program.memory.timer(number)); }

    TestProgram t;  // the scripted platform; its own Program stays unused
    CountingShell shell;
    Program program;
    std::unique_ptr<MemoryMain> window;
};

}  // namespace talvex::testing
