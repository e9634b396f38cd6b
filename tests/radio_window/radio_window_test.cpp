// The Radio window on the scripted line: each control puts its own frames on the line, the fields
// show what the radio answers, and the menus and exits lead where they say.
#include "radio/window/radio_main.h"

#include "tests/radio/fixed_command_bytes.h"
#include "tests/support/window_test.h"

#include "platform/widgets/form_metrics.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace talvex::testing {
namespace {

class RadioWindow : public WindowTest<RadioMain, RecordingShell> {
protected:
    // Clicks the item where the operator sees it; fails when it is scrolled out of sight.
    void clickItem(const char* list, const char* text)
    {
        auto& widget = find<QListWidget>(list);
        const auto items = widget.findItems(QString::fromUtf8(text), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << list << " " << text;
        const QRect place = widget.visualItemRect(items[0]);
        ASSERT_TRUE(widget.viewport()->rect().contains(place)) << list << " " << text;
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, place.center());
    }
    QStringList sent()  // one entry per write: the frames it carried
    {
        QStringList frames;
        for (const QByteArray& write : t.port.takeWrites())
            frames << FramesOf(write).join(u'|');
        return frames;
    }
    bool checked(const char* option) { return find<QRadioButton>(option).isChecked(); }
    QString shown(const char* field) { return find<QLineEdit>(field).text(); }
    void answerWindowCloses() { static_cast<ManualTimer&>(program.link.answerTimer()).fire(); }
};

TEST_F(RadioWindow, EveryFixedControlShowsItsCaptionAndSendsItsBytesEveryTimeItIsClicked)
{
    int listItems = 0;
    for (const FixedBytes& row : kFixedCommandBytes) {
        SCOPED_TRACE(std::string(row.control) + " " + row.caption);
        const bool inList = QByteArray(row.control).startsWith("List");
        listItems += inList ? 1 : 0;
        if (!inList) {
            EXPECT_EQ(find<QAbstractButton>(row.control).text(), QString::fromUtf8(row.caption));
        }
        for (int i = 0; i < 2; ++i)
            inList ? clickItem(row.control, row.caption) : click(row.control);
        EXPECT_EQ(sent(), QStringList(2, QString::fromLatin1(row.bytes)));
    }
    // Seventeen lists; the filter's three items are the only ones not in the table above.
    int items = 0;
    for (const QListWidget* list : window->findChildren<QListWidget*>())
        items += list->count();
    EXPECT_EQ(window->findChildren<QListWidget*>().size(), 17);
    EXPECT_EQ(items, listItems + 3);
}

// Rows run in order: Memory UP and DN step on from channel 5 of the write before them.
TEST_F(RadioWindow, EachOtherControlRunsItsOwnOperation)
{
    const struct {
        const char* control;  // a button, or an item of the filter list with the mode shown
        QStringList typed;
        QStringList frames;
    } rows[] = {
        {"Filter 1", {"USB"}, {"06 01 01"}}, {"Filter 2", {"CWr"}, {"06 07 02"}}, {"Filter 3", {"USB"}, {"06 01 03"}},
        {"Option42", {"7100"}, {"05 00 00 10 07 00", "03"}}, {"Option41", {"usb", "3"}, {"06 01 03", "04"}},
        {"Option45", {"99"}, {"1A 00 00 99"}}, {"Option40", {"7"}, {"08 00 07", "1A 00 00 07"}},
        {"Option43", {}, {"0B"}},  // answered Yes
        {"Option44", {"5", "7100", "lsb", "1", "HOME"}, Write("00 01", "48 4F 4D 45 20 20 20 20 20 20")},
        {"Option46", {}, {"08 00 06", "1A 00 00 06"}}, {"Option59", {}, {"08 00 05", "1A 00 00 05"}},
        {"Command2", {"7"}, {"14 01 07"}}, {"Command49", {"1a 5 0 91"}, {"1A 05 00 91"}},
        {"Command5", {}, {QStringLiteral("FE FE 94 E0 ").repeated(24) + QStringLiteral("18 01")}},
    };
    for (const auto& row : rows) {
        const bool filter = QByteArray(row.control).startsWith("Filter");
        if (filter)
            program.radioTexts.fields().Text4 = row.typed[0];
        for (const QString& text : filter ? QStringList() : row.typed)
            t.dialogs.answerInput(text);
        if (row.control == std::string_view("Option43"))
            t.dialogs.answerMessage(MessageAnswer::Yes);
        filter ? clickItem("List2", row.control) : click(row.control);
        EXPECT_EQ(sent(), row.frames) << row.control;
        EXPECT_TRUE(t.dialogs.scriptUsedUp()) << row.control;
    }
}

// Push-style options never stay selected; Rx/Tx and HEX/BCD keep the one clicked last; the Auto
// Status button is captioned from the program state.
TEST_F(RadioWindow, OptionsAndTheAutoStatusCaptionShowWhatWasClicked)
{
    for (const char* name : {"Option37", "Option38", "Option60", "Option61"})
        EXPECT_FALSE(checked(name)) << name;
    for (const char* name : {"Option48", "Option49", "Option39", "Option47", "Option58", "Option45", "Option40",
             "Option43", "Option46", "Option59"}) {
        click(name);
        EXPECT_FALSE(checked(name)) << name;
    }
    for (const auto& [first, second] : {std::pair{"Option37", "Option38"}, std::pair{"Option61", "Option60"}}) {
        const bool display = first == std::string_view("Option61");  // BCD, HEX: no frame, BCD clears HexDisplay
        t.port.takeWrites();
        click(first);
        EXPECT_TRUE(checked(first));
        EXPECT_EQ(program.state.HexDisplay, !display);
        click(second);
        EXPECT_TRUE(checked(second) && !checked(first)) << second;
        EXPECT_EQ(t.port.takeWrites().empty(), display);
    }
    EXPECT_TRUE(program.state.HexDisplay);
    auto& toggle = find<QAbstractButton>("Command44");
    EXPECT_EQ(toggle.text(), u"Auto Status Toggle");
    t.port.takeWrites();
    for (const char* caption : {"Enable Auto Status", "Disable Auto Status"}) {
        click("Command44");
        EXPECT_EQ(toggle.text(), QString::fromLatin1(caption));
        EXPECT_EQ(program.state.AutoStatus, caption[0] == 'D');
    }
    EXPECT_TRUE(t.port.takeWrites().empty());
}

TEST_F(RadioWindow, DecodedAnswersAppearInTheFieldsAndAClickIntoTheMessageAreaClearsThem)
{
    auto& text7 = find<QPlainTextEdit>("Text7");
    click("Option48");
    t.port.receive(Hex("FE FE 94 E0 03 FD FE FE E0 94 03 00 40 07 14 00 FD"));
    answerWindowCloses();
    EXPECT_EQ(shown("Text1"), u"14.074.0");
    EXPECT_EQ(text7.toPlainText(), u"STATUS =  FE FE 94 E0 3 FD FE FE E0 94 3 0 40 7 14 0 FD");

    program.radioTexts.fields() = {"14.074.0", "5", "*", "USB", "Fil 2", "HOME", "STATUS = 01"};
    program.memoryTexts.fields().Text9 = QStringLiteral("STATUS = 01");
    program.notifyDisplay();
    ASSERT_EQ((QStringList{shown("Text1"), shown("Text2"), shown("Text3"), shown("Text4"), shown("Text5"),
                  shown("Text6"), text7.toPlainText()}),
        (QStringList{"14.074.0", "5", "*", "USB", "Fil 2", "HOME", "STATUS = 01"}));
    t.port.takeWrites();
    QTest::mouseClick(text7.viewport(), Qt::LeftButton);
    const RadioFields& r = program.radioTexts.fields();
    EXPECT_EQ((QStringList{r.Text1, r.Text2, r.Text3, r.Text4, r.Text5, r.Text6, r.Text7, program.memoryTexts.fields().Text9,
                  shown("Text1"), shown("Text2"), shown("Text3"), shown("Text4"), shown("Text5"), shown("Text6"),
                  text7.toPlainText()}),
        QStringList(15, QStringLiteral(" ")));
    EXPECT_TRUE(t.port.takeWrites().empty());
}

TEST_F(RadioWindow, TheMenusStandInOrderAndLeadWhereTheySay)
{
    QStringList titles;
    for (const QAction* action : window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Memory-Window", "&Setup", "E&xit", "&Help"}));
    find<QAction>("Memory").trigger();
    click("Command1");
    find<QAction>("Setup").trigger();
    EXPECT_EQ(shell.memoryShown, 2);
    EXPECT_EQ(shell.setupShown, 1);
    find<QAction>("Help").trigger();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    const ShownMessage& help = t.dialogs.messages[0];
    EXPECT_EQ((QStringList{help.title, help.text}), (QStringList{"Help", "Help Yourself"}));
    EXPECT_TRUE(help.icon == MessageIcon::None && help.buttons == MessageButtons::Ok);
    EXPECT_TRUE(t.port.takeWrites().empty());
}

// The Exit menus, the Exit button and the window's close control close the data file and the
// port before the program ends, so no lock is left behind; a fatal trap and the restart after
// setup close the port too.
TEST_F(RadioWindow, EveryWayOutClosesTheDataFileAndThePortFirst)
{
    const std::pair<bool, std::function<void()>> exits[] = {{true, [this] { find<QAction>("FileExit").trigger(); }},
        {true, [this] { find<QAction>("Exit").trigger(); }}, {true, [this] { click("Command0"); }},
        {true, [this] { window->close(); }}, {false, [this] { program.link.FatalTrap(16); }},
        {false, [this] {
             program.state.ConfigMissing = true;
             program.setup.Quit();
         }}};
    for (const auto& [closesFile, leave] : exits) {
        program.startup.OpenSerialPort();
        ASSERT_TRUE(t.port.isOpen());
        program.state.DataFileOpen = true;
        EXPECT_THROW(leave(), ProgramEnded);
        EXPECT_FALSE(t.port.isOpen());
        EXPECT_TRUE(!closesFile || !program.state.DataFileOpen);
        EXPECT_EQ(program.state.PortReady, 0);
        EXPECT_EQ(t.port.writesWhileClosed, 0);
    }
}

// The window keeps its shape until the rig server has something to say; then its status bar
// says it, and the newest notice stands.
TEST_F(RadioWindow, TheRigServersNoticesShowOnAStatusBarOnlyOnceThereIsOne)
{
    program.notifyDisplay();
    EXPECT_EQ(window->findChild<QStatusBar*>(), nullptr);
    for (const char* notice : {"Rig server: listening on 127.0.0.1:4532",
                               "Rig server: set_freq of 127.0.0.1:50412 refused, Create File is running"}) {
        program.state.ServerNotice = QString::fromLatin1(notice);
        program.notifyDisplay();
        ASSERT_NE(window->findChild<QStatusBar*>(), nullptr);
        EXPECT_EQ(window->findChild<QStatusBar*>()->currentMessage(), QString::fromLatin1(notice));
    }
}

}  // namespace
}  // namespace talvex::testing
