#include "radio/window/control_tables.h"

#include "radio/fixed_commands.h"

#include <QStringList>

#include <string_view>

namespace talvex {

using R = RadioOperations;

namespace {

// The items of a list whose every item sends a fixed command, in the order of their rows.
ListControl FixedList(const char* name, Twips place)
{
    ListControl list{name, place, {}};
    for (const FixedCommand& row : FixedCommands()) {
        if (row.control == std::string_view(name))
            list.items.push_back({row.caption, row.procedure});
    }
    return list;
}

// A button that sends a fixed command: its caption and procedure come from its row.
ButtonControl FixedButton(const char* name, Twips place)
{
    for (const FixedCommand& row : FixedCommands()) {
        if (row.control == std::string_view(name))
            return {name, row.caption, place, row.procedure};
    }
    return {name, "", place, nullptr};  // not reached: every fixed button has its row
}

}  // namespace

const std::vector<FieldCaption>& DisplayFields()
{
    const FontFace large{QStringLiteral("Arial"), 36, true};
    const FontFace mediumItalic{QStringLiteral("Arial"), 15.75, true, true};
    const FontFace medium{QStringLiteral("Arial"), 15.75, true};
    static const std::vector<FieldCaption> captions{
        {"Label2", "Channel", {120, 360, 1455, 240}, {{"Text2", {120, 600, 1455, 810}, large, "memory channel number"}}},
        {"Label1", "Frequency", {1680, 360, 3735, 240}, {{"Text1", {1680, 600, 3735, 825}, large, "operating frequency, MHz"}}},
        {"Label3", "Mode/Filter", {5520, 360, 1215, 240},
            {{"Text4", {5520, 600, 1215, 420}, mediumItalic, "operating mode"},
                {"Text5", {5520, 1080, 1215, 375}, mediumItalic, "filter"}}},
        {"Label5", "Status/Info", {120, 1560, 5295, 240},
            {{"Text6", {120, 1800, 5295, 405}, mediumItalic, "what the radio reported last"}}},
        {"Label6", "Selected Memory", {5520, 1560, 1935, 240},
            {{"Text3", {5520, 1800, 375, 405}, medium, "a star when the channel is selected"}}},
    };
    return captions;
}

const std::vector<ColumnHeading>& ListHeadings()
{
    static const std::vector<ColumnHeading> headings{
        {"Label11", "Mode", {120, 2640, 1095, 240}},
        {"Label12", "Filter", {1320, 2640, 1095, 240}},
        {"Label14", "Vfo/Memory", {2520, 2640, 1215, 240}},
        {"Label7", "Functions", {3840, 2640, 2535, 240}, true},
    };
    return headings;
}

QString ColumnOf(const ListControl& list)
{
    for (const ColumnHeading& heading : ListHeadings()) {
        if (list.place.left >= heading.place.left && list.place.left < heading.place.left + heading.place.width)
            return QString::fromLatin1(heading.caption);
    }
    return {};
}

QString ListName(const ListControl& list)
{
    if (list.items.size() < 2)
        return ColumnOf(list);
    const QStringList first = QString::fromLatin1(list.items[0].text).split(u' ');
    const QStringList second = QString::fromLatin1(list.items[1].text).split(u' ');
    qsizetype alike = 0;
    while (alike < first.size() && alike < second.size() && first[alike] == second[alike])
        ++alike;
    return alike == 0 ? ColumnOf(list) : first.mid(0, alike).join(u' ');
}

const std::vector<ListControl>& FunctionLists()
{
    static const std::vector<ListControl> lists{
        FixedList("List1", {120, 2880, 1095, 1620}),
        {"List2", {1320, 2880, 1095, 645},
            {{"Filter 1", &R::Option34_Click}, {"Filter 2", &R::Option35_Click},
                {"Filter 3", &R::Option36_Click}}},
        FixedList("List4", {2520, 2880, 1215, 450}),
        FixedList("List3", {2520, 3480, 1215, 450}),
        FixedList("List7", {2520, 4080, 1215, 450}),
        FixedList("List5", {2520, 4680, 1215, 450}),
        FixedList("List6", {2520, 5280, 1215, 450}),
        FixedList("List10", {3840, 2880, 1215, 450}),
        FixedList("List13", {3840, 3480, 1215, 645}),
        FixedList("List14", {3840, 4200, 1215, 645}),
        FixedList("List17", {3840, 4920, 1215, 450}),
        FixedList("List11", {3840, 5520, 1215, 450}),
        FixedList("List15", {3840, 6120, 1215, 645}),
        FixedList("List12", {5160, 2880, 1215, 450}),
        FixedList("List16", {5160, 3480, 1215, 450}),
        FixedList("List8", {5160, 4080, 1215, 450}),
        FixedList("List9", {5160, 4680, 1215, 450}),
    };
    return lists;
}

// The option columns are one row (240 twips) per button; the memory column's lower four stand
// indented under the two that read and select.
const std::vector<ButtonControl>& OperationButtons()
{
    constexpr int kWide = 2100;
    constexpr int kNarrow = 1980;
    constexpr int kRow = 240;
    static const std::vector<ButtonControl> buttons{
        FixedButton("Option48", {6480, 2880, kWide, kRow}),
        FixedButton("Option49", {6480, 3120, kWide, kRow}),
        FixedButton("Option39", {6480, 3360, kWide, kRow}),
        {"Option42", "Radio Frequency Set", {6480, 3720, kWide, kRow}, &R::Option42_Click},
        {"Option41", "Radio Mode Set", {6480, 3960, kWide, kRow}, &R::Option41_Click},
        FixedButton("Option47", {6480, 4320, kWide, kRow}),
        FixedButton("Option58", {6480, 4560, kWide, kRow}),
        {"Option45", "Query Memory Channel", {6480, 5280, kWide, kRow}, &R::Option45_Click},
        {"Option40", "Memory Channel Select", {6480, 5520, kWide, kRow}, &R::Option40_Click},
        {"Option43", "Memory Channel Clear", {6600, 5880, kNarrow, kRow}, &R::Option43_Click},
        {"Option44", "Memory Write", {6600, 6120, kNarrow, kRow}, &R::Option44_Click},
        {"Option46", "Memory UP", {6600, 6480, kNarrow, kRow}, &R::Option46_Click},
        {"Option59", "Memory DN", {6600, 6720, kNarrow, kRow}, &R::Option59_Click},
    };
    return buttons;
}

// Inside the Command Control frame: two columns of short captions, then full-width rows. The
// rows leave room for My Call, R/T Status and Manual Command, which stand on the window over the
// frame at fixed places (frame-relative 1200/960, 240/2760, 240/4320).
const std::vector<ButtonControl>& CommandControlButtons()
{
    constexpr int kLeft = 240;
    constexpr int kRight = 1200;
    constexpr int kHalf = 900;
    constexpr int kRightHalf = 1095;
    constexpr int kFull = 2055;
    constexpr int kHeight = 375;
    static const std::vector<ButtonControl> buttons{
        FixedButton("Command30", {kLeft, 960, kHalf, kHeight}),
        FixedButton("Command34", {kLeft, 1410, kHalf, kHeight}),
        FixedButton("Command48", {kRight, 1410, kRightHalf, kHeight}),
        {"Command2", "Set Vol", {kLeft, 1860, kHalf, kHeight}, &R::Command2_Click},
        FixedButton("Command31", {kRight, 1860, kRightHalf, kHeight}),
        FixedButton("Command47", {kLeft, 2310, kFull, kHeight}),
        {"Command44", "Auto Status Toggle", {kLeft, 3280, kFull, kHeight}, &R::Command44_Click},
        {"Command36", "Clear Status", {kLeft, 3800, kFull, kHeight}, &R::Command36_Click},
    };
    return buttons;
}

const std::vector<ButtonControl>& WindowButtons()
{
    static const std::vector<ButtonControl> buttons{
        FixedButton("Command3", {9840, 3360, 1095, 375}),
        FixedButton("Command4", {8880, 5160, 2055, 375}),
        {"Command49", "Manual Command", {8880, 6720, 2055, 375}, &R::Command49_Click},
        {"Command5", "Power ON", {9120, 840, 1455, 1095}, &R::Command5_Click},
        FixedButton("Command6", {11040, 840, 1455, 1095}),
    };
    return buttons;
}

const std::vector<ButtonControl>& RxTxButtons()
{
    static const std::vector<ButtonControl> buttons{
        FixedButton("Option38", {240, 120, 855, 240}),
        FixedButton("Option37", {1200, 120, 615, 240}),
    };
    return buttons;
}

}  // namespace talvex
