// Building the Radio Operations window's controls at their places. Positions are twips; the
// helpers of platform/form_metrics.h turn them into pixels for the screen at hand.
#include "radio/window/radio_main.h"

#include "platform/widgets/focus_mark.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/readout_field.h"
#include "platform/widgets/spoken.h"
#include "platform/widgets/tab_order.h"
#include "startup/startup.h"
#include "startup/window_shell.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>
#include <string_view>
#include <utility>

namespace talvex {

namespace {

constexpr unsigned int kWhite = 0x00FFFFFF;
constexpr unsigned int kYellow = 0x0000FFFF;
constexpr unsigned int kRed = 0x000000FF;
// List1's background, the system "window frame" colour (dark grey on current systems); its
// items are drawn white so they stay legible on it.
constexpr unsigned int kWindowFrame = 0x00646464;
// One list row, as the lists were drawn: every item of a list fits without a scroll bar.
constexpr int kListRowTwips = 195;

// The frames, placed here and read by the keyboard's order.
constexpr Twips kPowerPanel{8640, 480, 4335, 1695};
constexpr Twips kCommandControl{8640, 2400, 2535, 4815};
constexpr Twips kNavigation{11400, 2400, 1575, 4215};
constexpr Twips kDisplayFormat{120, 7680, 1575, 255};

// The smallest box around the places of a table's controls.
template <typename Rows>
Twips Around(const Rows& rows)
{
    int left = 1 << 30, top = 1 << 30, right = 0, bottom = 0;
    for (const auto& row : rows) {
        left = std::min(left, row.place.left);
        top = std::min(top, row.place.top);
        right = std::max(right, row.place.left + row.place.width);
        bottom = std::max(bottom, row.place.top + row.place.height);
    }
    return {left, top, right - left, bottom - top};
}

int FieldIndex(const char* name) { return QByteArray(name).mid(4).toInt() - 1; }  // "Text4" -> 3

}  // namespace

void RadioMain::buildDisplayFields(QWidget& client)
{
    MakeCaptionedReadouts(client, DisplayFields(), [this](const char* name, ReadoutField* field) {
        fields_[static_cast<std::size_t>(FieldIndex(name))] = field;
    });

    text7_ = new QPlainTextEdit(&client);
    text7_->setObjectName(QStringLiteral("Text7"));
    text7_->setGeometry(TwipsRect(120, 8040, 12855, 1095));
    text7_->setFont(MakeFont({QStringLiteral("Arial"), 8.25}));
    text7_->setReadOnly(true);
    text7_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KeepSystemColour(*text7_, QPalette::Base);
    text7_->viewport()->installEventFilter(this);
    text7_->setTabChangesFocus(true);
    Describe(*text7_, QStringLiteral("Messages"), QStringLiteral("the radio's traffic; a click clears the fields"));
}

void RadioMain::buildLabels(QWidget& client)
{
    MakeLabel(client, "Label4", "Radio Operations", {3120, 0, 2535, 330},
        {QStringLiteral("Arial"), 12, true}, Qt::AlignCenter);
    for (const FieldCaption& caption : DisplayFields())
        MakeLabel(client, caption.label, caption.caption, caption.place, LabelFont());
    for (const ColumnHeading& heading : ListHeadings()) {
        MakeLabel(client, heading.label, heading.caption, heading.place, LabelFont(),
            heading.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (auto [name, caption, top] : {std::tuple{"Label17", "Radio Operations", 2640},
             std::tuple{"Label16", "Memory Operations ", 5040}}) {
        QLabel* heading = MakeLabel(client, name, caption, {6480, top, 2100, 240}, LabelFont(), Qt::AlignCenter);
        SetBackground(*heading, ColourFromBgr(kWhite));
    }
}

void RadioMain::buildLists(QWidget& client)
{
    const int rowHeight = TwipsToPixels(kListRowTwips);
    for (const ListControl& control : FunctionLists()) {
        auto* list = new CommandList(&client);
        list->setObjectName(QString::fromLatin1(control.name));
        Describe(*list, ListName(control), ColumnOf(control));
        list->setGeometry(Place(control.place));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (const ListItem& row : control.items) {
            auto* item = new QListWidgetItem(QString::fromLatin1(row.text), list);
            item->setSizeHint(QSize(0, rowHeight));
        }
        KeepSystemColour(*list, QPalette::Base);
        if (control.name == std::string_view("List1")) {
            SetBackground(*list, ColourFromBgr(kWindowFrame));
            SetForeground(*list, ColourFromBgr(kWhite));
        }
        // Every choice runs the item's action, the same item chosen again included; the
        // texts are compared exactly, as the lists have always matched them.
        connect(list, &CommandList::chosen, this, [this, &control](QListWidgetItem* item) {
            for (const ListItem& row : control.items) {
                if (item->text() == QLatin1String(row.text))
                    run(row.action);
            }
        });
    }
}

void RadioMain::buildOperationButtons(QWidget& client)
{
    for (const ButtonControl& control : OperationButtons()) {
        OptionButton* option = MakeOption(client, control.name, control.caption, control.place, OptionButton::Kind::Push);
        connect(option, &QRadioButton::clicked, this, [this, option, &control] {
            option->setChecked(false);
            run(control.action);
        });
    }

    for (const ButtonControl& control : WindowButtons()) {
        const bool power = control.name == std::string_view("Command5")
            || control.name == std::string_view("Command6");
        CaptionButton* button = MakeButton(client, control.name, QString::fromLatin1(control.caption),
            control.place, power ? FontFace{QStringLiteral("Arial"), 12, true} : ButtonFont());
        if (power)
            SetBackground(*button, ColourFromBgr(kRed));
        connect(button, &QPushButton::clicked, this, [this, &control] { run(control.action); });
    }
}

void RadioMain::buildFrames(QWidget& client)
{
    MakeFrame(client, "Frame1", kPowerPanel);

    QFrame* commandControl = MakeFrame(client, "Frame3", kCommandControl);
    MakeLabel(*commandControl, "Label9", "Command Control", {120, 60, 2295, 270}, HeadingFont(), Qt::AlignCenter);
    QFrame* rxTx = MakeFrame(*commandControl, "Frame12", {240, 360, 1935, 375});
    // Rx and Tx stay selected: they show which way the radio was switched last.
    auto* rxTxGroup = new QButtonGroup(rxTx);
    for (const ButtonControl& control : RxTxButtons()) {
        OptionButton* option = MakeOption(*rxTx, control.name, control.caption, control.place);
        rxTxGroup->addButton(option);
        connect(option, &QRadioButton::clicked, this, [this, &control] { run(control.action); });
    }

    for (const ButtonControl& control : CommandControlButtons()) {
        CaptionButton* button = MakeButton(*commandControl, control.name,
            QString::fromLatin1(control.caption), control.place, ButtonFont());
        if (control.name == std::string_view("Command44"))
            autoStatus_ = button;
        connect(button, &QPushButton::clicked, this, [this, &control] { run(control.action); });
    }

    QFrame* navigation = MakeFrame(client, "Frame4", kNavigation);
    MakeLabel(*navigation, "Label10", "Navigation", {60, 60, 1455, 270}, HeadingFont(), Qt::AlignCenter);
    CaptionButton* memory = MakeButton(*navigation, "Command1", QStringLiteral(" go to   Memory Window "),
        {240, 480, 1095, 1815}, {QStringLiteral("Arial"), 9.75, true});
    SetBackground(*memory, ColourFromBgr(kYellow));
    connect(memory, &QPushButton::clicked, this, [this] {
        program_.windows.showMemoryWindow();
        program_.notifyDisplay();
    });
    CaptionButton* exit = MakeButton(*navigation, "Command0", QStringLiteral("Exit"),
        {240, 2520, 1095, 1095}, {QStringLiteral("Arial"), 12, true});
    Describe(*exit, QStringLiteral("Exit"), QStringLiteral("closes the port and ends the program"));
    connect(exit, &QPushButton::clicked, this, [this] { program_.startup.ExitButton(); });
}

void RadioMain::buildDisplayFormat(QWidget& client)
{
    // HEX and BCD keep their selection; neither is selected until the operator picks one.
    auto* group = new QButtonGroup(this);
    OptionButton* hex = MakeOption(client, "Option60", "HEX", {kDisplayFormat.left, kDisplayFormat.top, 735, 255});
    OptionButton* bcd = MakeOption(client, "Option61", "BCD", {960, kDisplayFormat.top, 735, 255});
    group->addButton(hex);
    group->addButton(bcd);
    for (auto [option, hexadecimal] : {std::pair{hex, true}, std::pair{bcd, false}}) {
        connect(option, &QRadioButton::clicked, this,
            [this, hexadecimal] { run([hexadecimal](RadioEntries& entries) { entries.radio().setHexDisplay(hexadecimal); }); });
    }
}

// Top to bottom, left to right by the window's parts: the readings, the power switches, the
// list columns, the operation column, the command-control frame (with the buttons that stand
// over it), navigation, the display format, and the message area last.
void RadioMain::buildKeyboardOrder(QWidget& client)
{
    using Reading = TabRegion::Reading;
    std::vector<DisplayField> fields;
    for (const FieldCaption& caption : DisplayFields())
        fields.insert(fields.end(), caption.fields.begin(), caption.fields.end());
    OrderTabs(client, {{Around(fields)}, {kPowerPanel}, {Around(FunctionLists()), Reading::Columns},
                          {Around(OperationButtons()), Reading::Columns}, {kCommandControl}, {kNavigation},
                          {kDisplayFormat}});
    new FocusMark(client);
}

}  // namespace talvex
