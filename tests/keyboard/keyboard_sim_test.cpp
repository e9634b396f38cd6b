// The Radio window from the keyboard alone against talvex-sim: key events only, no clicks. What
// counts is what reaches the simulator (its log of the frames it received) and what the
// Frequency field says to a screen reader (its accessible value).
#include "radio/window/radio_main.h"

#include "tests/support/sim_program.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace talvex::testing {
namespace {

class KeyboardAgainstSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run.ready());
        ASSERT_TRUE(run.startUp());
        window = std::make_unique<RadioMain>(run.program->controls());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        framesReceived();  // the start-up queries
    }

    // Presses Tab until `name` has the focus; false when a whole round of the window never
    // reaches it.
    bool tabTo(const char* name)
    {
        for (int presses = 0; presses < 120; ++presses) {
            QWidget* focused = QApplication::focusWidget();
            if (focused != nullptr && focused->objectName() == QLatin1String(name))
                return true;
            QTest::keyClick(focused != nullptr ? focused : window.get(), Qt::Key_Tab);
        }
        return false;
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QString focusedName() const { return QApplication::focusWidget()->objectName(); }

    // The frames the simulator received since the last call.
    QStringList framesReceived()
    {
        QFile log(run.path(QStringLiteral("sim.log")));
        if (!log.open(QIODevice::ReadOnly))
            return {QStringLiteral("<no log>")};
        QStringList frames;
        const QList<QByteArray> lines = log.readAll().split('\n');
        for (qsizetype i = linesSeen_; i < lines.size(); ++i) {
            const QList<QByteArray> words = lines[i].split(' ');
            if (words.size() > 2 && words[1] == "in")
                frames << QString::fromLatin1(lines[i].mid(lines[i].indexOf(" in ") + 4));
        }
        linesSeen_ = lines.size() - 1;  // the last is the unfinished one
        return frames;
    }
    QString frequencyValue() const
    {
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(QStringLiteral("Text1")));
        return field != nullptr ? field->text(QAccessible::Value) : QStringLiteral("<not accessible>");
    }

    SimProgram run{{"--log", "sim.log"}};
    std::unique_ptr<RadioMain> window;
    qsizetype linesSeen_ = 0;
};

TEST_F(KeyboardAgainstSim, SpaceOnQueryCurrentFrequencyShowsTheRadiosFrequency)
{
    // Clear Status first, so the answer to the start-up query is not what the field still says.
    ASSERT_TRUE(tabTo("Command36"));
    press(Qt::Key_Return);
    ASSERT_EQ(frequencyValue(), u" ");
    ASSERT_EQ(framesReceived(), QStringList());

    ASSERT_TRUE(tabTo("Option48"));
    press(Qt::Key_Space);
    run.readAnswers();
    EXPECT_EQ(framesReceived(), QStringList{"FE FE 94 E0 03 FD"});
    EXPECT_EQ(frequencyValue(), u"14.074.0");  // the simulator's 14 074 000 Hz
}

TEST_F(KeyboardAgainstSim, ArrowKeysAcrossAnOptionGroupOnlyMoveTheFocus)
{
    ASSERT_TRUE(tabTo("Option38"));  // Rx
    press(Qt::Key_Space);  // chosen on purpose: receive
    run.readAnswers();
    EXPECT_EQ(framesReceived(), QStringList{"FE FE 94 E0 1C 00 00 FD"});

    // With Rx checked, Qt would click Tx on the next arrow key: the transmitter keyed.
    const struct {
        Qt::Key key;
        const char* focused;
    } moves[] = {{Qt::Key_Right, "Option37"}, {Qt::Key_Left, "Option38"}, {Qt::Key_Down, "Option37"},
        {Qt::Key_Up, "Option38"}, {Qt::Key_Right, "Option37"}};
    for (const auto& move : moves) {
        press(move.key);
        EXPECT_EQ(focusedName(), QLatin1String(move.focused));
    }
    ASSERT_TRUE(tabTo("Option60"));  // HEX and BCD: no frame, but the display's own switch
    const bool hex = run.program->state.HexDisplay;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down})
        press(key);
    run.readAnswers();
    EXPECT_EQ(framesReceived(), QStringList());
    EXPECT_EQ(run.program->state.HexDisplay, hex);
    EXPECT_TRUE(window->findChild<QAbstractButton*>(QStringLiteral("Option38"))->isChecked());
    EXPECT_FALSE(window->findChild<QAbstractButton*>(QStringLiteral("Option37"))->isChecked());
}

}  // namespace
}  // namespace talvex::testing
