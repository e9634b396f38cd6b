// Each control of the Radio window puts its own frames on the line.
#include "tests/radio_window/radio_window_fixture.h"

#include <QAbstractButton>
#include <QRadioButton>

#include <optional>
#include <vector>

namespace talvex::testing {
namespace {

std::vector<QByteArray> Frames(std::initializer_list<const char*> hex)
{
    std::vector<QByteArray> frames;
    for (const char* h : hex)
        frames.push_back(Hex(h));
    return frames;
}

using ListWiring = RadioWindowTest;

TEST_F(ListWiring, EveryItemSendsItsOwnFrameEveryTimeItIsClicked)
{
    struct Row {
        const char* list;
        const char* item;
        const char* frame;
    };
    // The filter items carry the mode the field shows.
    program.state.radio.Text4 = QStringLiteral("USB");
    const Row rows[] = {
        {"List1", "AM", "FE FE 94 E0 06 02 FD"}, {"List1", "FM", "FE FE 94 E0 06 05 FD"},
        {"List1", "USB", "FE FE 94 E0 06 01 FD"}, {"List1", "LSB", "FE FE 94 E0 06 00 FD"},
        {"List1", "CW", "FE FE 94 E0 06 03 FD"}, {"List1", "CWr", "FE FE 94 E0 06 07 FD"},
        {"List1", "RTTY", "FE FE 94 E0 06 04 FD"}, {"List1", "RTTYr", "FE FE 94 E0 06 08 FD"},
        {"List2", "Filter 1", "FE FE 94 E0 06 01 01 FD"}, {"List2", "Filter 2", "FE FE 94 E0 06 01 02 FD"},
        {"List2", "Filter 3", "FE FE 94 E0 06 01 03 FD"},
        {"List4", "VFO", "FE FE 94 E0 07 FD"}, {"List4", "MEM", "FE FE 94 E0 08 FD"},
        {"List3", "VFO A", "FE FE 94 E0 07 00 FD"}, {"List3", "VFO B", "FE FE 94 E0 07 01 FD"},
        {"List7", "Split Off", "FE FE 94 E0 0F 00 FD"}, {"List7", "Split On", "FE FE 94 E0 0F 01 FD"},
        {"List5", "RIT Off", "FE FE 94 E0 21 01 00 FD"}, {"List5", "RIT On", "FE FE 94 E0 21 01 01 FD"},
        {"List6", "^TX Off", "FE FE 94 E0 21 02 00 FD"}, {"List6", "^TX On", "FE FE 94 E0 21 02 01 FD"},
        {"List10", "Monitor Off", "FE FE 94 E0 16 45 00 FD"}, {"List10", "Monitor On", "FE FE 94 E0 16 45 01 FD"},
        {"List13", "Tuner Off", "FE FE 94 E0 1C 01 00 FD"}, {"List13", "Tuner On", "FE FE 94 E0 1C 01 01 FD"},
        {"List13", "TUNE", "FE FE 94 E0 1C 01 02 FD"},
        {"List14", "Pre Amp Off", "FE FE 94 E0 16 02 00 FD"}, {"List14", "Pre Amp 1", "FE FE 94 E0 16 02 01 FD"},
        {"List14", "Pre Amp 2", "FE FE 94 E0 16 02 02 FD"},
        {"List17", "Attenuator Off", "FE FE 94 E0 11 00 FD"}, {"List17", "Attenuator On", "FE FE 94 E0 11 20 FD"},
        {"List11", "VOX Off", "FE FE 94 E0 16 46 00 FD"}, {"List11", "VOX On", "FE FE 94 E0 16 46 01 FD"},
        {"List15", "Bk-In Off", "FE FE 94 E0 16 47 00 FD"}, {"List15", "Bk-In Semi", "FE FE 94 E0 16 47 01 FD"},
        {"List15", "Bk-In Full", "FE FE 94 E0 16 47 02 FD"},
        {"List12", "Man Notch Off", "FE FE 94 E0 16 48 00 FD"}, {"List12", "Man Notch On", "FE FE 94 E0 16 48 01 FD"},
        {"List16", "Auto Notch Off", "FE FE 94 E0 16 41 00 FD"}, {"List16", "Auto Notch On", "FE FE 94 E0 16 41 01 FD"},
        {"List8", "NR Off", "FE FE 94 E0 16 40 00 FD"}, {"List8", "NR On", "FE FE 94 E0 16 40 01 FD"},
        {"List9", "NB Off", "FE FE 94 E0 16 22 00 FD"}, {"List9", "NB On", "FE FE 94 E0 16 22 01 FD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.list) + " " + row.item);
        clickItem(row.list, QString::fromLatin1(row.item));
        clickItem(row.list, QString::fromLatin1(row.item));
        EXPECT_EQ(t.port.takeWrites(), Frames({row.frame, row.frame}));
    }
    // Seventeen lists, forty-four items, none left out of the table above.
    int items = 0;
    for (const QListWidget* list : window->findChildren<QListWidget*>())
        items += list->count();
    EXPECT_EQ(window->findChildren<QListWidget*>().size(), 17);
    EXPECT_EQ(items, static_cast<int>(std::size(rows)));
}

TEST_F(ListWiring, TheFilterItemsFollowTheModeTheFieldShowsAndSendNothingWithoutOne)
{
    program.state.radio.Text4 = QStringLiteral("CWr");
    clickItem("List2", QStringLiteral("Filter 2"));
    EXPECT_EQ(t.port.takeWrites(), Frames({"FE FE 94 E0 06 07 02 FD"}));
    program.state.radio.Text4 = QStringLiteral(" ");
    clickItem("List2", QStringLiteral("Filter 1"));
    EXPECT_TRUE(t.port.takeWrites().empty());
}

using ButtonWiring = RadioWindowTest;

TEST_F(ButtonWiring, EachButtonRunsItsOwnOperation)
{
    struct Row {
        const char* control;
        std::vector<std::optional<QString>> typed;
        std::vector<MessageAnswer> confirmed;
        std::vector<QByteArray> frames;
    };
    const QByteArray powerOn = Hex("FE FE 94 E0").repeated(25) + Hex("18 01 FD");
    const Row rows[] = {
        {"Option48", {}, {}, Frames({"FE FE 94 E0 03 FD"})},
        {"Option49", {}, {}, Frames({"FE FE 94 E0 04 FD"})},
        {"Option39", {}, {}, Frames({"FE FE 94 E0 02 FD"})},
        {"Option42", {QStringLiteral("7100")}, {},
            Frames({"FE FE 94 E0 05 00 00 10 07 00 FD", "FE FE 94 E0 03 FD"})},
        {"Option41", {QStringLiteral("usb"), QStringLiteral("3")}, {},
            Frames({"FE FE 94 E0 06 01 03 FD", "FE FE 94 E0 04 FD"})},
        {"Option47", {}, {}, Frames({"FE FE 94 E0 0A FD"})},
        {"Option58", {}, {}, Frames({"FE FE 94 E0 07 A0 FD"})},
        {"Option38", {}, {}, Frames({"FE FE 94 E0 1C 00 00 FD"})},
        {"Option37", {}, {}, Frames({"FE FE 94 E0 1C 00 01 FD"})},
        {"Option45", {QStringLiteral("99")}, {}, Frames({"FE FE 94 E0 1A 00 00 99 FD"})},
        {"Option40", {QStringLiteral("7")}, {}, Frames({"FE FE 94 E0 08 00 07 FD", "FE FE 94 E0 1A 00 00 07 FD"})},
        {"Option43", {}, {MessageAnswer::Yes}, Frames({"FE FE 94 E0 0B FD"})},
        {"Option44",
            {QStringLiteral("5"), QStringLiteral("7100"), QStringLiteral("lsb"), QStringLiteral("1"),
                QStringLiteral("HOME")},
            {},
            Frames({"FE FE 94 E0 1A 00 00 05 00 00 00 10 07 00 00 01 00 00 10 00 00 10 00 00 00 10 07 00 00 01"
                    " 00 00 10 00 00 10 00 48 4F 4D 45 20 20 20 20 20 20 FD",
                "FE FE 94 E0 08 FD", "FE FE 94 E0 08 00 05 FD", "FE FE 94 E0 1A 00 00 05 FD"})},
        {"Option46", {}, {}, Frames({"FE FE 94 E0 08 00 06 FD", "FE FE 94 E0 1A 00 00 06 FD"})},
        {"Option59", {}, {}, Frames({"FE FE 94 E0 08 00 05 FD", "FE FE 94 E0 1A 00 00 05 FD"})},
        {"Command30", {}, {}, Frames({"FE FE 94 E0 19 00 FD"})},
        {"Command48", {}, {}, Frames({"FE FE 94 E0 15 02 FD"})},
        {"Command34", {}, {}, Frames({"FE FE 94 E0 1A 05 00 95 FD"})},
        {"Command2", {QStringLiteral("7")}, {}, Frames({"FE FE 94 E0 14 01 07 FD"})},
        {"Command31", {}, {}, Frames({"FE FE 94 E0 13 00 FD"})},
        {"Command47", {}, {}, Frames({"FE FE 94 E0 15 01 FD"})},
        {"Command3", {}, {}, Frames({"FE FE 94 E0 1A 05 00 91 FD"})},
        {"Command4", {}, {}, Frames({"FE FE 94 E0 1C 00 FD"})},
        {"Command5", {}, {}, {powerOn}},
        {"Command6", {}, {}, Frames({"FE FE 94 E0 18 00 FD"})},
        {"Command49", {QStringLiteral("1a 5 0 91")}, {}, Frames({"FE FE 94 E0 1A 05 00 91 FD"})},
    };
    // Rows run in order: Memory UP and DN step on from channel 5 of the write before them.
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        for (const auto& answer : row.typed)
            t.dialogs.answerInput(answer);
        for (MessageAnswer answer : row.confirmed)
            t.dialogs.answerMessage(answer);
        click(row.control);
        EXPECT_EQ(t.port.takeWrites(), row.frames);
        EXPECT_TRUE(t.dialogs.scriptUsedUp());
    }
}

TEST_F(ButtonWiring, PushStyleOptionsNeverStaySelectedButTheTwoPairsDo)
{
    for (const char* name : {"Option48", "Option49", "Option39", "Option47", "Option58", "Option45",
             "Option40", "Option43", "Option46", "Option59"}) {
        click(name);
        EXPECT_FALSE(find<QRadioButton>(name).isChecked()) << name;
    }
    for (const char* name : {"Option37", "Option38", "Option60", "Option61"})
        EXPECT_FALSE(find<QRadioButton>(name).isChecked()) << name;

    click("Option37");
    EXPECT_TRUE(find<QRadioButton>("Option37").isChecked());
    click("Option38");
    EXPECT_TRUE(find<QRadioButton>("Option38").isChecked());
    EXPECT_FALSE(find<QRadioButton>("Option37").isChecked());

    t.port.takeWrites();
    click("Option61");
    EXPECT_FALSE(program.state.HexDisplay);
    EXPECT_TRUE(find<QRadioButton>("Option61").isChecked());
    click("Option60");
    EXPECT_TRUE(program.state.HexDisplay);
    EXPECT_TRUE(find<QRadioButton>("Option60").isChecked());
    EXPECT_FALSE(find<QRadioButton>("Option61").isChecked());
    EXPECT_TRUE(t.port.takeWrites().empty());
}

TEST_F(ButtonWiring, AutoStatusToggleFollowsItsOwnCaption)
{
    auto& toggle = find<QAbstractButton>("Command44");
    EXPECT_EQ(toggle.text(), u"Auto Status Toggle");
    click("Command44");
    EXPECT_FALSE(program.state.AutoStatus);
    EXPECT_EQ(toggle.text(), u"Enable Auto Status");
    click("Command44");
    EXPECT_TRUE(program.state.AutoStatus);
    EXPECT_EQ(toggle.text(), u"Disable Auto Status");
    EXPECT_TRUE(t.port.takeWrites().empty());
}

}  // namespace
}  // namespace talvex::testing
