// Building the Memory Operations window's controls at their places (twips).
#include "memory/window/memory_main.h"

#include "memory/window/memory_window_operations.h"
#include "platform/widgets/focus_mark.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/readout_field.h"
#include "platform/widgets/spoken.h"
#include "platform/widgets/tab_order.h"
#include "startup/startup.h"
#include "startup/window_shell.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace talvex {

namespace {

constexpr unsigned int kYellow = 0x0000FFFF;

using Procedure = MemoryMain::Procedure;

struct Button {
    const char* name;
    const char* caption;
    Twips place;
    Procedure procedure;  // none: the button has wiring of its own
    bool yellow = false;
    bool stop = false;    // one of the three Stop buttons
};

struct Group {
    const char* frame;
    Twips place;
    const char* headingName;
    const char* heading;
    std::vector<Button> buttons;  // positions inside the frame
};

// The Pause buttons stand over the rig group, each the button of the operation it belongs to.
struct PauseButton {
    const char* name;
    Twips place;
    Procedure procedure;
    const char* belongsTo;
};

using M = MemoryWindowOperations;

// The named-file buttons write their file into the radio.
Procedure UpdateRigFrom(const char* fileName)
{
    return [name = QString::fromLatin1(fileName)](M& memory) { memory.updateRigFrom(name); };
}

const std::vector<Group>& Groups()
{
    static const std::vector<Group> groups{
        {"Frame3", {120, 3360, 2415, 3255}, "Label8", "File Operations",
            {{"Command9", "Change Data File", {120, 600, 2175, 375}, {}, true},
                {"Command2", "View File", {120, 1200, 975, 1095}, &M::viewFile, true},
                {"Command1", "Create File", {1200, 1200, 1095, 1095}, &M::createFile, true},
                {"Command8", "Stop", {120, 2640, 2175, 375}, &M::stop, false, true}}},
        {"Frame4", {2760, 3360, 5295, 3255}, "Label11", "Memory File Download Operations",
            {{"Command14", "TALVEX.txt", {1440, 720, 2295, 615}, UpdateRigFrom("TALVEX.txt")},
                {"Command17", "Ham.txt", {120, 1680, 855, 495}, UpdateRigFrom("Ham.txt")},
                {"Command16", "CB.txt", {1080, 1680, 855, 495}, UpdateRigFrom("CB.txt")},
                {"Command21", "Tele.txt", {2040, 1680, 855, 495}, UpdateRigFrom("Tele.txt")},
                {"Command22", "Sw+Air.txt", {3000, 1680, 1095, 495}, UpdateRigFrom("Sw + Air.txt")},
                {"Command23", "Empty.txt", {4200, 1680, 975, 495}, UpdateRigFrom("Empty.txt")},
                {"Command15", "Stop", {1200, 2640, 2895, 375}, &M::stop, false, true}}},
        {"Frame2", {8280, 2400, 2775, 4215}, "Label9", "Memory Operations",
            {{"Command4", "View Rig", {120, 600, 1335, 1455}, &M::viewRig},
                {"Command3", "Update Rig", {1560, 600, 1095, 1455}, &M::updateRig},
                {"Command5", "Blank Rig", {120, 2400, 1215, 735}, &M::blankRig},
                {"Command6", "Scan Rig", {1560, 2400, 1095, 735}, &M::scanRig},
                {"Command10", "Stop", {120, 3600, 2535, 375}, &M::stop, false, true}}},
    };
    return groups;
}

const std::vector<PauseButton>& PauseButtons()
{
    static const std::vector<PauseButton> buttons{
        {"Command11", {8400, 5520, 1215, 255}, &M::blankRig, "Blank Rig"},
        {"Command12", {9840, 5520, 1095, 255}, &M::scanRig, "Scan Rig"},
    };
    return buttons;
}

const std::vector<FieldCaption>& FieldCaptions()
{
    const FontFace large{QStringLiteral("Arial"), 36, true};
    const FontFace medium{QStringLiteral("Arial"), 15.75, true};
    const FontFace mediumItalic{QStringLiteral("Arial"), 15.75, true, true};
    const FontFace small{QStringLiteral("Arial"), 8.25};
    static const std::vector<FieldCaption> captions{
        {"Label1", "Channel", {120, 360, 1455, 240}, {{"Text1", {120, 600, 1455, 855}, large, "channel number"}}},
        {"Label3", "Frequency", {1680, 360, 3735, 240}, {{"Text3", {1680, 600, 3735, 870}, large, "channel frequency, MHz"}}},
        {"Label4", "Mode/Filter", {5520, 360, 1215, 240},
            {{"Text4", {5520, 600, 1215, 405}, mediumItalic, "channel mode"},
                {"Text5", {5520, 1080, 1215, 360}, mediumItalic, "channel filter"}}},
        {"Label6", "Status/Info", {120, 1560, 5295, 240},
            {{"Text6", {120, 1800, 5295, 405}, mediumItalic, "channel label or greeting"}}},
        {"Label2", "Selected Memory", {5520, 1560, 1935, 240},
            {{"Text2", {5520, 1800, 405, 375}, medium, "a star when the channel is selected"}}},
        {"Label7", "Current File/Status", {120, 2280, 7095, 240},
            {{"Text8", {120, 2520, 7095, 285}, {QStringLiteral("MS Sans Serif"), 8.25}, "path of the current data file"},
                {"Text7", {120, 2880, 7095, 315}, small, "the file line, progress and end report; a click stops"}}},
    };
    return captions;
}

int FieldIndex(const char* name) { return QByteArray(name).mid(4).toInt() - 1; }  // "Text7" -> 6

// The parts of the window the keyboard goes through in turn (see buildKeyboardOrder).
constexpr Twips kDisplay{120, 600, 7095, 2595};
constexpr Twips kNavigation{11280, 2400, 1695, 4215};

}  // namespace

void MemoryMain::buildDisplayFields(QWidget& client)
{
    MakeCaptionedReadouts(client, FieldCaptions(), [this](const char* name, ReadoutField* field) {
        fields_[static_cast<std::size_t>(FieldIndex(name))] = field;
    });
    channelFont_ = fields_[0]->font();
    fields_[1]->setFrame(false);
    fields_[6]->installEventFilter(this);

    const FontFace small{QStringLiteral("Arial"), 8.25};
    text9_ = new QPlainTextEdit(&client);
    text9_->setObjectName(QStringLiteral("Text9"));
    text9_->setGeometry(TwipsRect(120, 8040, 12855, 1095));
    text9_->setFont(MakeFont(small));
    text9_->setReadOnly(true);
    text9_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KeepSystemColour(*text9_, QPalette::Base);
    text9_->setTabChangesFocus(true);
    Describe(*text9_, QStringLiteral("Messages"), QStringLiteral("the radio's traffic"));
}

void MemoryMain::buildLabels(QWidget& client)
{
    MakeLabel(client, "Label14", QString(), {0, 0, 120, 120}, LabelFont());
    MakeLabel(client, "Label5", QStringLiteral("Memory Operations"), {3000, 0, 2775, 330},
              {QStringLiteral("Arial"), 12, true}, Qt::AlignCenter);
    for (const FieldCaption& caption : FieldCaptions())
        MakeLabel(client, caption.label, QString::fromLatin1(caption.caption), caption.place, LabelFont());
}

void MemoryMain::buildGroups(QWidget& client)
{
    const QColor yellow = ColourFromBgr(kYellow);
    for (const Group& group : Groups()) {
        QFrame* frame = MakeFrame(client, group.frame, group.place);
        SetBackground(*frame, yellow);
        MakeLabel(*frame, group.headingName, QString::fromLatin1(group.heading),
                  {60, 120, group.place.width - 120, 300}, HeadingFont(), Qt::AlignCenter);
        for (const Button& b : group.buttons) {
            CaptionButton* button = MakeButton(*frame, b.name, QString::fromLatin1(b.caption), b.place);
            // The three Stop buttons are told apart by the group they stand in.
            if (b.stop)
                Describe(*button, QString::fromLatin1(b.caption), QString::fromLatin1(group.heading));
            if (b.yellow)
                SetBackground(*button, yellow);
            if (b.procedure)
                connect(button, &QPushButton::clicked, this, [this, procedure = b.procedure] { run(procedure); });
        }
    }
    // Change Data File leads to the Data File Setup window.
    connect(findChild<QPushButton*>(QStringLiteral("Command9")), &QPushButton::clicked, this,
            [this] { program_.windows.showDataSetup(); });

    QFrame* navigation = MakeFrame(client, "Frame1", kNavigation);
    SetBackground(*navigation, yellow);
    MakeLabel(*navigation, "Label10", QStringLiteral("Navigation"), {60, 120, 1575, 300}, HeadingFont(), Qt::AlignCenter);
    CaptionButton* radio = MakeButton(*navigation, "Command7", QStringLiteral("  go to   Radio Window"),
                                      {360, 600, 975, 1815}, HeadingFont());
    connect(radio, &QPushButton::clicked, this, [this] { program_.windows.showRadioWindow(); });
    CaptionButton* exit = MakeButton(*navigation, "Command0", QStringLiteral("Exit"), {360, 2760, 975, 1095},
                                     {QStringLiteral("Arial"), 12, true});
    Describe(*exit, QStringLiteral("Exit"), QStringLiteral("closes the port and ends the program"));
    connect(exit, &QPushButton::clicked, this, [this] { program_.startup.ExitButton(); });

    // The Pause buttons stand on the window over the rig group, so they come after it.
    for (const PauseButton& pause : PauseButtons()) {
        CaptionButton* button = MakeButton(client, pause.name, QStringLiteral("Pause"), pause.place);
        Describe(*button, QStringLiteral("Pause"), QString::fromLatin1(pause.belongsTo));
        connect(button, &QPushButton::clicked, this, [this, procedure = pause.procedure] { run(procedure); });
    }
}

// Top to bottom, left to right by the window's parts: the fields, then the groups from left to
// right (the Pause buttons go with the rig group they stand over), navigation, and the message
// area last.
void MemoryMain::buildKeyboardOrder(QWidget& client)
{
    std::vector<TabRegion> regions{{kDisplay}};
    for (const Group& group : Groups())
        regions.push_back({group.place});
    regions.push_back({kNavigation});
    OrderTabs(client, regions);
    new FocusMark(client);
}

}  // namespace talvex
