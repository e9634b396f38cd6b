// What the Radio window shows, and where its menus and exits lead.
#include "tests/radio_window/radio_window_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace talvex::testing {
namespace {

using RadioDisplay = RadioWindowTest;

TEST_F(RadioDisplay, DecodedAnswersAppearInTheFields)
{
    click("Option48");
    t.port.receive(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    timer2().fire();
    EXPECT_EQ(find<QLineEdit>("Text1").text(), u"14.074.0");
    EXPECT_EQ(find<QPlainTextEdit>("Text7").toPlainText(),
        u"STATUS =  FE FE 94 E0 3 FD FE FE E0 94 3 0 40 7 14 0 FD");

    click("Option49");
    t.port.receive(Hex("FE FE 94 E0 04 FD FE FE E0 94 04 01 02 FD"));
    timer2().fire();
    EXPECT_EQ(find<QLineEdit>("Text4").text(), u"USB");
    EXPECT_EQ(find<QLineEdit>("Text5").text(), u"Fil 2");
    EXPECT_EQ(find<QLineEdit>("Text1").text(), u"14.074.0");
}

TEST_F(RadioDisplay, AClickIntoTheMessageAreaClearsEveryField)
{
    auto& state = program.state;
    state.radio = {"14.074.0", "5", "*", "USB", "Fil 2", "HOME", "STATUS = 01"};
    state.memory.Text9 = QStringLiteral("STATUS = 01");
    program.notifyDisplay();
    ASSERT_EQ(find<QLineEdit>("Text6").text(), u"HOME");

    auto& text7 = find<QPlainTextEdit>("Text7");
    QTest::mouseClick(text7.viewport(), Qt::LeftButton);

    const QString blank = QStringLiteral(" ");
    for (const QString* text : {&state.radio.Text1, &state.radio.Text2, &state.radio.Text3,
             &state.radio.Text4, &state.radio.Text5, &state.radio.Text6, &state.radio.Text7,
             &state.memory.Text9})
        EXPECT_EQ(*text, blank);
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
        EXPECT_EQ(find<QLineEdit>(name).text(), blank) << name;
    EXPECT_EQ(text7.toPlainText(), blank);
    EXPECT_TRUE(t.port.takeWrites().empty());
}

TEST_F(RadioDisplay, TheMenusStandInOrderAndLeadWhereTheySay)
{
    QStringList titles;
    for (const QAction* action : window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"File", "Memory-Window", "Setup", "Exit", "Help"}));

    find<QAction>("Memory").trigger();
    click("Command1");
    EXPECT_EQ(shell.memoryShown, 2);
    find<QAction>("Setup").trigger();
    EXPECT_EQ(shell.setupShown, 1);

    find<QAction>("Help").trigger();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, u"Help");
    EXPECT_EQ(t.dialogs.messages[0].text, u"Help Yourself");
    EXPECT_EQ(t.dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(t.port.takeWrites().empty());
}

// The Exit menus leave the port's lock behind no more than the Exit button does.
TEST_F(RadioDisplay, TheExitMenusEndClosingTheDataFileAndThePort)
{
    for (const char* name : {"FileExit", "Exit"}) {
        program.startup.OpenSerialPort();
        ASSERT_TRUE(t.port.isOpen());
        program.state.DataFileOpen = true;
        EXPECT_THROW(find<QAction>(name).trigger(), ProgramEnded) << name;
        EXPECT_FALSE(t.port.isOpen()) << name;
        EXPECT_FALSE(program.state.DataFileOpen) << name;
    }
}

TEST_F(RadioDisplay, TheExitButtonAndTheWindowsCloseControlCloseThePortFirst)
{
    EXPECT_THROW(click("Command0"), ProgramEnded);
    EXPECT_FALSE(t.port.isOpen());

    program.startup.OpenSerialPort();
    ASSERT_TRUE(t.port.isOpen());
    EXPECT_THROW(window->close(), ProgramEnded);
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(program.state.PortReady, 0);
}

}  // namespace
}  // namespace talvex::testing
