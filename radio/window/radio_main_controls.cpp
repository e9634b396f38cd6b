// Building the Radio Operations window's controls at their places. Positions are twips; the
// helpers of platform/form_metrics.h turn them into pixels for the screen at hand.
#include "radio/window/radio_main.h"

#include "platform/widgets/form_controls.h"
#include "startup/startup.h"
#include "startup/window_shell.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

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

}  // namespace

void RadioMain::buildDisplayFields(QWidget& client)
{
    struct Field {
        const char* name;
        Twips place;
        FontFace font;
    };
    const FontFace large{QStringLiteral("Arial"), 36, true};
    const FontFace mediumItalic{QStringLiteral("Arial"), 15.75, true, true};
    const FontFace medium{QStringLiteral("Arial"), 15.75, true};
    const std::array<Field, 6> fields{{
        {"Text1", {1680, 600, 3735, 825}, large},
        {"Text2", {120, 600, 1455, 810}, large},
        {"Text3", {5520, 1800, 375, 405}, medium},
        {"Text4", {5520, 600, 1215, 420}, mediumItalic},
        {"Text5", {5520, 1080, 1215, 375}, mediumItalic},
        {"Text6", {120, 1800, 5295, 405}, mediumItalic},
    }};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* field = new QLineEdit(&client);
        field->setObjectName(QString::fromLatin1(fields[i].name));
        field->setGeometry(Place(fields[i].place));
        field->setFont(MakeFont(fields[i].font));
        field->setTextMargins(0, 0, 0, 0);
        // The decoders own these texts; typing into them would only be overwritten.
        field->setReadOnly(true);
        KeepSystemColour(*field, QPalette::Base);
        fields_[i] = field;
    }

    text7_ = new QPlainTextEdit(&client);
    text7_->setObjectName(QStringLiteral("Text7"));
    text7_->setGeometry(TwipsRect(120, 8040, 12855, 1095));
    text7_->setFont(MakeFont({QStringLiteral("Arial"), 8.25}));
    text7_->setReadOnly(true);
    text7_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KeepSystemColour(*text7_, QPalette::Base);
    text7_->viewport()->installEventFilter(this);
}

void RadioMain::buildLabels(QWidget& client)
{
    MakeLabel(client, "Label4", "Radio Operations", {3120, 0, 2535, 330},
        {QStringLiteral("Arial"), 12, true}, Qt::AlignCenter);
    MakeLabel(client, "Label2", "Channel", {120, 360, 1455, 240}, LabelFont());
    MakeLabel(client, "Label1", "Frequency", {1680, 360, 3735, 240}, LabelFont());
    MakeLabel(client, "Label3", "Mode/Filter", {5520, 360, 1215, 240}, LabelFont());
    MakeLabel(client, "Label5", "Status/Info", {120, 1560, 5295, 240}, LabelFont());
    MakeLabel(client, "Label6", "Selected Memory", {5520, 1560, 1935, 240}, LabelFont());
    MakeLabel(client, "Label11", "Mode", {120, 2640, 1095, 240}, LabelFont());
    MakeLabel(client, "Label12", "Filter", {1320, 2640, 1095, 240}, LabelFont());
    MakeLabel(client, "Label14", "Vfo/Memory", {2520, 2640, 1215, 240}, LabelFont());
    MakeLabel(client, "Label7", "Functions", {3840, 2640, 2535, 240}, LabelFont(), Qt::AlignCenter);
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
        auto* list = new QListWidget(&client);
        list->setObjectName(QString::fromLatin1(control.name));
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
        // Every click calls the item's procedure, the same item clicked again included; the
        // texts are compared exactly, as the lists have always matched them.
        connect(list, &QListWidget::itemClicked, this, [this, &control](QListWidgetItem* item) {
            for (const ListItem& row : control.items) {
                if (item->text() == QLatin1String(row.text))
                    run(row.procedure);
            }
        });
    }
}

void RadioMain::buildOperationButtons(QWidget& client)
{
    for (const ButtonControl& control : OperationButtons()) {
        QRadioButton* option = MakeOption(client, control.name, control.caption, control.place);
        // A push button in the dress of an option button: it must never stay selected, so it
        // can be clicked again; not exclusive, or it could not be cleared.
        option->setAutoExclusive(false);
        const Procedure procedure = control.procedure;
        connect(option, &QRadioButton::clicked, this, [this, option, procedure] {
            option->setChecked(false);
            run(procedure);
        });
    }

    for (const ButtonControl& control : WindowButtons()) {
        const bool power = control.name == std::string_view("Command5")
            || control.name == std::string_view("Command6");
        CaptionButton* button = MakeButton(client, control.name, QString::fromLatin1(control.caption),
            control.place, power ? FontFace{QStringLiteral("Arial"), 12, true} : ButtonFont());
        if (power)
            SetBackground(*button, ColourFromBgr(kRed));
        const Procedure procedure = control.procedure;
        connect(button, &QPushButton::clicked, this, [this, procedure] { run(procedure); });
    }
}

void RadioMain::buildFrames(QWidget& client)
{
    MakeFrame(client, "Frame1", {8640, 480, 4335, 1695});

    QFrame* commandControl = MakeFrame(client, "Frame3", {8640, 2400, 2535, 4815});
    MakeLabel(*commandControl, "Label9", "Command Control", {120, 60, 2295, 270}, HeadingFont(), Qt::AlignCenter);
    QFrame* rxTx = MakeFrame(*commandControl, "Frame12", {240, 360, 1935, 375});
    // Rx and Tx stay selected: they show which way the radio was switched last.
    auto* rxTxGroup = new QButtonGroup(rxTx);
    for (const ButtonControl& control : RxTxButtons()) {
        QRadioButton* option = MakeOption(*rxTx, control.name, control.caption, control.place);
        rxTxGroup->addButton(option);
        const Procedure procedure = control.procedure;
        connect(option, &QRadioButton::clicked, this, [this, procedure] { run(procedure); });
    }

    for (const ButtonControl& control : CommandControlButtons()) {
        CaptionButton* button = MakeButton(*commandControl, control.name,
            QString::fromLatin1(control.caption), control.place, ButtonFont());
        if (control.procedure == &RadioOperations::Command44_Click)
            autoStatus_ = button;
        const Procedure procedure = control.procedure;
        connect(button, &QPushButton::clicked, this, [this, procedure] { run(procedure); });
    }

    QFrame* navigation = MakeFrame(client, "Frame4", {11400, 2400, 1575, 4215});
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
    connect(exit, &QPushButton::clicked, this, [this] { program_.startup.ExitButton(); });
}

void RadioMain::buildDisplayFormat(QWidget& client)
{
    // HEX and BCD keep their selection; neither is selected until the operator picks one.
    auto* group = new QButtonGroup(this);
    QRadioButton* hex = MakeOption(client, "Option60", "HEX", {120, 7680, 735, 255});
    QRadioButton* bcd = MakeOption(client, "Option61", "BCD", {960, 7680, 735, 255});
    group->addButton(hex);
    group->addButton(bcd);
    connect(hex, &QRadioButton::clicked, this, [this] { run(&RadioOperations::Option60_Click); });
    connect(bcd, &QRadioButton::clicked, this, [this] { run(&RadioOperations::Option61_Click); });
}

}  // namespace talvex
