// What the Memory window shows, and that each of its controls starts its own operation.
#include "memory/window/memory_main.h"

#include "tests/support/window_test.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>

namespace talvex::testing {
namespace {

// The Memory window on the scripted platform, its port open and nothing written yet.
class MemoryWindowTest : public WindowTest<MemoryMain, RecordingShell> {
protected:
    ManualTimer& memoryTimer(Step step) { return static_cast<ManualTimer&>(program.memory.timer(step)); }
};

using MemoryDisplay = MemoryWindowTest;

TEST_F(MemoryDisplay, TheFieldsShowWhatTheOperationsAndDecodersWrote)
{
    MemoryFields& m = program.memoryTexts.fields();
    m = {"7", "*", "14.074.0", "USB", "Fil 2", "FT8 CALL  ", "Open Process Complete", "/home/op/TALVEX.TXT",
         "STATUS =  FE FE", true};
    program.notifyDisplay();
    const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"};
    const QString* texts[] = {&m.Text1, &m.Text2, &m.Text3, &m.Text4, &m.Text5, &m.Text6, &m.Text7, &m.Text8};
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(find<QLineEdit>(names[i]).text(), *texts[i]) << names[i];
    EXPECT_EQ(find<QPlainTextEdit>("Text9").toPlainText(), u"STATUS =  FE FE");
    EXPECT_TRUE(find<QLineEdit>("Text8").font().bold());
    // A message longer than the line, as the connection advice is, shows from its beginning,
    // and whole under the mouse.
    m.Text7 = QStringLiteral("The radio uses CI-V address 88h, but TALVEX talks to 94h.").repeated(3);
    program.notifyDisplay();
    const auto& text7 = find<QLineEdit>("Text7");
    EXPECT_EQ(std::pair(text7.cursorPosition(), text7.toolTip()), std::pair(0, m.Text7));
}

// "END" at the channel field's 36 points is wider than the field: it shows smaller and whole,
// never scrolled so that its first letter is cut at the left edge. Numbers keep the field's size.
TEST_F(MemoryDisplay, TheChannelFieldShowsEveryTextWhole)
{
    auto& channel = find<QLineEdit>("Text1");
    const QFont designed = channel.font();
    for (const char* text : {"99", "END", "1", "END"}) {
        SCOPED_TRACE(text);
        program.memoryTexts.fields().Text1 = QString::fromLatin1(text);
        program.notifyDisplay();
        // The columns the text's ink reaches, against the width of the whole text's ink.
        const QImage shot = channel.grab().toImage();
        int first = shot.width(), last = -1;
        for (int x = 0; x < shot.width(); ++x) {
            for (int y = 0; y < shot.height(); ++y) {
                if (qGray(shot.pixel(x, y)) < 64) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        EXPECT_NEAR(last - first + 1, QFontMetrics(channel.font()).tightBoundingRect(channel.text()).width(), 2);
        EXPECT_EQ(channel.font() == designed, std::string_view(text) != "END");
    }
}

using MemoryControls = MemoryWindowTest;

TEST_F(MemoryControls, EachButtonAsksItsOwnQuestion)
{
    struct Row {
        const char* control;
        const char* title;  // of the first question it asks
    };
    const Row rows[] = {
        {"Command1", "Create File"}, {"Command3", "Update Rig"}, {"Command14", "TALVEX.txt"},
        {"Command17", "Ham.txt"}, {"Command16", "CB.txt"}, {"Command21", "Tele.txt"},
        {"Command22", "Sw + Air.txt"}, {"Command23", "Empty.txt"},
        {"Command5", "Blank Rig"}, {"Command11", "Blank Rig"}, {"Command6", "Scan Rig"}, {"Command12", "Scan Rig"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        t.dialogs.messages.clear();
        t.dialogs.inputs.clear();
        click(row.control);  // every question goes unanswered: No, or Cancel
        const bool asked = (!t.dialogs.messages.empty() && t.dialogs.messages[0].title.startsWith(row.title))
            || (!t.dialogs.inputs.empty() && t.dialogs.inputs[0].title.startsWith(row.title));
        EXPECT_TRUE(asked);
        EXPECT_FALSE(program.state.anyMemoryOperationRunning());
        EXPECT_TRUE(t.port.takeWrites().empty());
    }
    // View Rig asks nothing: it starts reading at the next tick.
    click("Command4");
    EXPECT_TRUE(program.state.ViewingRig);
    memoryTimer(Step::ViewRig).fire();
    EXPECT_EQ(FramesOf(t.port.takeWritten()), (QStringList{"1A 00 00 01"}));
    // Nor does View File: its next tick shows the data file's line in the fields.
    click("Command8");
    t.writeFile(QStringLiteral("TALVEX.TXT"), {QStringLiteral(" 7            14.074.0      USB           Fil 2")});
    QString name = QStringLiteral("TALVEX.TXT");
    EXPECT_FALSE(program.dataFile.OpenDataFile(name, FileMode::Input).failure);
    click("Command2");
    memoryTimer(Step::ViewFile).fire();
    EXPECT_EQ(find<QLineEdit>("Text3").text(), u"14.074.0");
}

TEST_F(MemoryControls, EveryStopAndAClickIntoTheMessageFieldReturnToIdle)
{
    for (const char* stop : {"Command8", "Command10", "Command15", "Text7"}) {
        SCOPED_TRACE(stop);
        program.state.ViewingRig = true;
        program.state.ChannelCounter = 12;
        program.state.AutoStatus = false;
        program.memoryTexts.fields().Text7 = QStringLiteral("Channel 12");
        program.notifyDisplay();
        click(stop);
        EXPECT_FALSE(program.state.ViewingRig);
        EXPECT_EQ(program.state.ChannelCounter, 0);
        EXPECT_TRUE(program.state.AutoStatus);
        EXPECT_EQ(find<QLineEdit>("Text7").text(), u"");
    }
    EXPECT_TRUE(t.port.takeWrites().empty());
}

TEST_F(MemoryControls, NavigationMenusAndHelpLeadWhereTheySay)
{
    QStringList titles;
    for (const QAction* action : window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Radio-Window", "&Setup", "E&xit", "&Help"}));

    click("Command7");
    find<QAction>("Radio").trigger();
    EXPECT_EQ(shell.radioShown, 2);
    find<QAction>("Setup").trigger();
    EXPECT_EQ(shell.setupShown, 1);
    click("Command9");
    EXPECT_EQ(shell.dataSetupShown, 1);
    find<QAction>("Help").trigger();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Help");
    EXPECT_EQ(t.dialogs.messages[0].text, u"Help Yourself");
    EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(MemoryControls, TheCloseControlOnlyHidesAndTheOperationGoesOn)
{
    program.state.ViewingRig = true;
    EXPECT_NO_THROW(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(program.state.ViewingRig);
    EXPECT_TRUE(t.port.isOpen());
    memoryTimer(Step::ViewRig).fire();
    EXPECT_FALSE(t.port.takeWrites().empty());  // View Rig still reads the next channel
}

TEST_F(MemoryControls, ExitAndTheExitMenusCloseThePort)
{
    const std::function<void()> exits[] = {[this] { find<QAction>("FileExit").trigger(); },
        [this] { find<QAction>("Exit").trigger(); }, [this] { click("Command0"); }};
    for (const auto& exit : exits) {
        program.startup.OpenSerialPort();
        ASSERT_TRUE(t.port.isOpen());
        program.state.DataFileOpen = true;
        EXPECT_THROW(exit(), ProgramEnded);
        EXPECT_FALSE(t.port.isOpen());
        EXPECT_FALSE(program.state.DataFileOpen);
    }
}

}  // namespace
}  // namespace talvex::testing
