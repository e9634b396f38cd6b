#pragma once

#include "radio/window/radio_main.h"

#include "tests/support/window_test.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace talvex::testing {

// The Radio window on the scripted platform, its port open and nothing written yet.
class RadioWindowTest : public WindowTest<RadioMain, RecordingShell> {
protected:
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
};

}  // namespace talvex::testing
