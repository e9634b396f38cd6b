#pragma once

#include "click.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace talvex::testing {

// One window of type `Window` on the scripted platform, its port open and nothing written yet;
// `shell` records which other windows it asks for.
template <typename Window, typename = RecordingShell>
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(std::make_unique<Window>(program.controls()))
    {
        window->show();
        t.port.takeWrites();
    }

    template <typename Widget>
    Widget& find(const char* name)
    {
        auto* widget = window->template findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }

    void click(const char* name) { Click(find<QWidget>(name)); }

    OpenProgram t;
    Program& program = *t.program;
    RecordingShell& shell = t.shell;
    std::unique_ptr<Window> window;
};

}  // namespace talvex::testing
