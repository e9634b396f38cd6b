#pragma once

#include "memory/window/memory_main.h"

#include "tests/support/window_test.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace talvex::testing {

// The Memory window on the scripted platform, its port open and nothing written yet.
class MemoryWindowTest : public WindowTest<MemoryMain, RecordingShell> {
protected:
    ManualTimer& memoryTimer(int number) { return static_cast<ManualTimer&>(program.memory.timer(number)); }
};

}  // namespace talvex::testing
