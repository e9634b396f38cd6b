#pragma once

#include "radio/window/radio_main.h"

#include "tests/support/click.h"
#include "tests/support/test_program.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace talvex::testing {

// Records every window the Radio window asks for.
class CountingShell final : public WindowShell {
public:
    void showSplash() override {}
    void showSetup() override { ++setupShown; }
    void showMemoryWindow() override { ++memoryShown; }
    int setupShown = 0;
    int memoryShown = 0;
};

// The Radio window on the scripted platform, its port open and nothing written yet.
class RadioWindowTest : public ::testing::Test {
protected:
    RadioWindowTest()
        : program(PlatformServices{t.port, t.dialogs, t.timers, t.exit, t.directory.path()}, shell)
    {
        program.state.ConfigCommPort = QStringLiteral("COM1");
        program.state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
        program.startup.OpenSerialPort();
        window = std::make_unique<RadioMain>(program);
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

    // Clicks the item where the operator sees it; fails when it is scrolled out of sight.
    void clickItem(const char* list, const QString& text)
    {
        auto& widget = find<QListWidget>(list);
        const auto items = widget.findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << list << " " << text.toStdString();
        const QRect place = widget.visualItemRect(items[0]);
        ASSERT_TRUE(widget.viewport()->rect().contains(place)) << list << " " << text.toStdString();
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, place.center());
    }

    ManualTimer& timer2() { return static_cast<ManualTimer&>(program.link.Timer2()); }

    TestProgram t;  // the scripted platform; its own Program stays unused
    CountingShell shell;
    Program program;
    std::unique_ptr<RadioMain> window;
};

}  // namespace talvex::testing
