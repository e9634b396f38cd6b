#pragma once

#include "memory/window/memory_main.h"

#include "tests/support/window_test.h"

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
class MemoryWindowTest : public WindowTest<MemoryMain, CountingShell> {
protected:
    ManualTimer& memoryTimer(int number) { return static_cast<ManualTimer&>(program.memory.timer(number)); }
};

}  // namespace talvex::testing
