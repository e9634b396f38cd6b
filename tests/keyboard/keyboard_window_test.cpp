// The windows as a keyboard user and a screen reader meet them, on the scripted line: the order
// Tab takes, keys that press what a click presses, the focus mark, the names and descriptions
// the accessibility layer reads, and what the Memory window's status line says of an operation.
// (That the readings' changes reach the desktop's accessibility bus is tests/atspi's part.)
#include "memory/window/memory_main.h"
#include "memory/window/progress_announcement.h"
#include "platform/widgets/focus_mark.h"
#include "radio/window/radio_main.h"

#include "tests/support/window_test.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

namespace talvex::testing {
namespace {

QString Spoken(QWidget& control, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&control);
    return iface != nullptr ? iface->text(what) : QStringLiteral("<none>");
}

template <typename Window>
class KeyboardTest : public WindowTest<Window, RecordingShell> {
protected:
    KeyboardTest()
    {
        QApplication::setActiveWindow(this->window.get());
    }

    QStringList sent()
    {
        QStringList frames;
        for (const QByteArray& write : this->t.port.takeWrites())
            frames << FramesOf(write).join(u'|');
        return frames;
    }
    QString focused() const { return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : QString(); }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    void focus(const char* name) { this->template find<QWidget>(name).setFocus(Qt::TabFocusReason); }
};

using RadioKeys = KeyboardTest<RadioMain>;
using MemoryKeys = KeyboardTest<MemoryMain>;

TEST_F(RadioKeys, TabGoesThroughTheWindowPartByPartAndRoundAgain)
{
    const QStringList order{
        "Text2", "Text1", "Text4", "Text5", "Text6", "Text3",  // the readings
        "Command5", "Command6",  // power
        "List1", "List2", "List4", "List3", "List7", "List5", "List6", "List10", "List13", "List14", "List17",
        "List11", "List15", "List12", "List16", "List8", "List9",  // the list columns, column by column
        "Option48", "Option49", "Option39", "Option42", "Option41", "Option47", "Option58", "Option45",
        "Option40", "Option43", "Option44", "Option46", "Option59",  // the operation column
        "Option38",  // Rx/Tx: a group of options is one stop, the arrows move within it
        "Command30", "Command3", "Command34", "Command48", "Command2", "Command31", "Command47", "Command4",
        "Command44", "Command36", "Command49",  // command control, My Call and R/T Status over it
        "Command1", "Command0", "Option60", "Text7", "Text2"};
    focus("Text2");
    QStringList reached{focused()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        key(Qt::Key_Tab);
        reached << focused();
    }
    EXPECT_EQ(reached.join(u' '), order.join(u' '));
    EXPECT_TRUE(sent().empty());
}

TEST_F(RadioKeys, EnterAndSpacePressWhatAClickPressesAndArrowsOnlyMove)
{
    const struct {
        const char* control;
        std::vector<Qt::Key> keys;
        QStringList frames;
    } rows[] = {
        {"Command30", {Qt::Key_Return}, {"19 00"}},
        {"Command30", {Qt::Key_Space}, {"19 00"}},
        {"Option48", {Qt::Key_Enter}, {"03"}},
        {"Option49", {Qt::Key_Space}, {"04"}},
        {"Option49", {Qt::Key_Down, Qt::Key_Up}, {}},  // push-style options: the arrows move on, nothing runs
        {"List17", {Qt::Key_Down, Qt::Key_Return}, {"11 20"}},  // Tab made "Attenuator Off" current; Down, Enter
        {"List17", {Qt::Key_Up, Qt::Key_Space}, {"11 00"}},
        {"List13", {Qt::Key_Down, Qt::Key_Down}, {}},
        {"Option38", {Qt::Key_Space, Qt::Key_Right, Qt::Key_Left, Qt::Key_Right}, {"1C 00 00"}},
        {"Option37", {Qt::Key_Enter}, {"1C 00 01"}},
    };
    for (const auto& row : rows) {
        focus(row.control);
        for (Qt::Key k : row.keys)
            key(k);
        EXPECT_EQ(sent(), row.frames) << row.control;
    }
    EXPECT_TRUE(find<QAbstractButton>("Option37").isChecked());
    EXPECT_FALSE(find<QAbstractButton>("Option48").isChecked());
    EXPECT_EQ(find<QListWidget>("List17").currentItem()->text(), u"Attenuator Off");
}

TEST_F(RadioKeys, TheFocusMarkShowsForTheKeyboardAndGoesOnAClick)
{
    auto* mark = window->findChild<FocusMark*>();
    ASSERT_NE(mark, nullptr);
    focus("Command30");
    key(Qt::Key_Tab);
    ASSERT_EQ(mark->marked(), &find<QWidget>("Command3"));
    const QRect around(mark->mapToGlobal(QPoint(0, 0)), mark->size());
    EXPECT_TRUE(around.contains(QRect(find<QWidget>("Command3").mapToGlobal(QPoint(0, 0)), find<QWidget>("Command3").size())));
    click("Command34");
    EXPECT_EQ(mark->marked(), nullptr);
    key(Qt::Key_Tab);
    EXPECT_EQ(mark->marked(), &find<QWidget>("Command48"));
}

TEST_F(RadioKeys, ControlsAreNamedByTheirCaptions)
{
    const struct {
        const char* control;
        QAccessible::Role role;
        const char* name;
        const char* description;
    } rows[] = {
        {"Text1", QAccessible::EditableText, "Frequency", "operating frequency, MHz"},
        {"Text2", QAccessible::EditableText, "Channel", "memory channel number"},
        {"Text4", QAccessible::EditableText, "Mode", "operating mode"},
        {"Text5", QAccessible::EditableText, "Filter", "filter"},
        {"Text6", QAccessible::EditableText, "Status/Info", "what the radio reported last"},
        {"Text3", QAccessible::EditableText, "Selected Memory", "a star when the channel is selected"},
        {"Command0", QAccessible::Button, "Exit", "closes the port and ends the program"},
    };
    for (const auto& row : rows) {
        auto& control = find<QWidget>(row.control);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&control);
        ASSERT_NE(iface, nullptr) << row.control;
        EXPECT_EQ(iface->role(), row.role) << row.control;
        EXPECT_EQ(iface->text(QAccessible::Name), QLatin1String(row.name)) << row.control;
        EXPECT_EQ(iface->text(QAccessible::Description), QLatin1String(row.description)) << row.control;
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&find<QWidget>("Text1"))->state().readOnly);

}

TEST_F(MemoryKeys, TheStatusLineSpeaksTheProgressAndTheEndOfAnOperation)
{
    auto& status = find<QWidget>("Text7");
    MemoryFields& m = program.memoryTexts.fields();
    program.state.ViewingRig = true;
    m.Text1 = QStringLiteral("12");
    m.Text7 = QStringLiteral("12      14.074.0      USB");
    program.notifyDisplay();
    EXPECT_EQ(Spoken(status, QAccessible::Value), u"View Rig: channel 12 of 99. 12 14.074.0 USB");
    program.state.ViewingRig = false;
    m.Text1 = m.Text7 = QStringLiteral("END");
    program.notifyDisplay();
    EXPECT_EQ(Spoken(status, QAccessible::Value), u"View Rig ended");
    EXPECT_EQ(find<QLineEdit>("Text7").text(), u"END");  // what shows is unchanged
}

TEST(ProgressAnnouncement, SaysTheChannelTheStatusAndTheEnd)
{
    const OperationView idle;
    const OperationView create{QStringLiteral("Create File"), "1", "", 0, 0};
    const OperationView blank{QStringLiteral("Blank Rig"), "12", "Clearing Memory Channel 12", 10, 20};
    const OperationView blankAll{QStringLiteral("Blank Rig"), "99", "Clearing Memory Channel 99", 1, 99};
    const OperationView backup{QStringLiteral("Update Rig"), "", "Saving channel 3 of 40 before writing", 0, 0};
    const OperationView ended{std::nullopt, "END", "END", 0, 0};
    const OperationView reported{std::nullopt, "END", "Update Rig: 97 of 99 channels verified", 0, 0};
    const OperationView stopped{std::nullopt, "", "", 0, 0};
    const struct {
        OperationView before, now;
        std::optional<QString> said;
    } rows[] = {
        {idle, idle, std::nullopt},
        {idle, create, "Create File: channel 1 of 99"},
        {create, create, std::nullopt},  // nothing new
        {idle, blank, "Blank Rig: channel 12 of 10 to 20. Clearing Memory Channel 12"},
        {idle, blankAll, "Blank Rig: channel 99 of 99. Clearing Memory Channel 99"},
        {idle, backup, "Saving channel 3 of 40 before writing"},
        {create, ended, "Create File ended"},
        {backup, reported, "Update Rig ended: Update Rig: 97 of 99 channels verified"},
        {blank, stopped, "Blank Rig stopped"},
        {ended, ended, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ProgressAnnouncement(row.before, row.now), row.said) << row.now.channel.toStdString();
}

}  // namespace
}  // namespace talvex::testing
