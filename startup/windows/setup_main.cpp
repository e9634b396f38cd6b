#include "startup/windows/setup_main.h"

#include "platform/widgets/focus_mark.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/spoken.h"
#include "platform/widgets/tab_order.h"
#include "startup/system_setup.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>

namespace talvex {

namespace {

constexpr unsigned int kWindowColour = 0x00FF8080;
constexpr unsigned int kPanelColour = 0x00C0FFC0;  // light green
constexpr unsigned int kSaveColour = 0x0080FFFF;
constexpr int kClientWidth = 6375;
constexpr int kClientHeight = 4830;

// The port choices' control names, "Com 1" to "Com 8" in order.
const char* const kPortOptions[kPortChoices] = {"Option1", "Option2", "Option3", "Option7",
                                                "Option8", "Option9", "Option10", "Option11"};
const char* const kBaudOptions[] = {"Option4", "Option5", "Option6"};

FontFace Bold(double points) { return {QStringLiteral("MS Sans Serif"), points, true}; }

}  // namespace

SetupMain::SetupMain(ProgramControls program, QWidget* parent) : QMainWindow(parent), program_(program)
{
    setObjectName(QStringLiteral("SetupMain"));
    setWindowTitle(QStringLiteral("System Setup"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* client = new QWidget(this);
    client->setFixedSize(TwipsRect(0, 0, kClientWidth, kClientHeight).size());
    client->setFont(MakeFont(Bold(8.25)));
    SetBackground(*client, ColourFromBgr(kWindowColour));
    setCentralWidget(client);

    QFrame* panel = MakeFrame(*client, "Frame1", {0, 0, 6375, 4815});
    panel->setFrameStyle(QFrame::NoFrame);
    SetBackground(*panel, ColourFromBgr(kPanelColour));
    buildControls(*panel);
    // The port column, the settings column, then the entries and buttons on the right.
    OrderTabs(*panel, {{{0, 0, 6375, 4815}, TabRegion::Reading::Columns}});
    new FocusMark(*panel);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void SetupMain::buildControls(QWidget& panel)
{
    MakeLabel(panel, "Label1", QStringLiteral("System Setup Options"), {2400, 240, 2175, 375},
              {QStringLiteral("MS Sans Serif"), 13.5, true, true});
    const QLabel* portHeading = MakeLabel(panel, "Label2", QStringLiteral("Comm Port"), {480, 960, 1095, 255}, Bold(8.25));
    MakeFrame(panel, "Frame2", {240, 1200, 1455, 3255});
    const QLabel* baudHeading = MakeLabel(panel, "Label3", QStringLiteral("Baud Rate"), {2040, 960, 975, 255}, Bold(8.25));
    QFrame* baudFrame = MakeFrame(panel, "Frame3", {1800, 1200, 1455, 1455});
    const QLabel* callSignCaption = MakeLabel(panel, "Label4", QStringLiteral("Call Sign"), {4200, 960, 855, 255}, Bold(8.25));
    const QLabel* dataFileCaption =
        MakeLabel(panel, "Label5", QStringLiteral("Default Data File"), {3960, 1920, 1455, 255}, Bold(8.25));

    // Loading shows the configuration as it stands (defaults for what is empty).
    const SetupChoices choices = program_.setup.choicesShown();

    auto* ports = new QButtonGroup(this);
    for (int n = 1; n <= kPortChoices; ++n) {
        OptionButton* option = MakeOption(panel, kPortOptions[n - 1], QStringLiteral("Com %1").arg(n),
                                          {480, 1440 + 360 * (n - 1), 975, 255});
        option->setAccessibleDescription(portHeading->text());
        ports->addButton(option);
        option->setChecked(choices.port == n);
        connect(option, &QRadioButton::clicked, this, [this, n] { program_.setup.choosePort(n); });
    }
    auto* bauds = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(kCommBauds.size()); ++i) {
        OptionButton* option = MakeOption(*baudFrame, kBaudOptions[i], kCommBauds[i], {120, 240 + 360 * i, 1215, 255});
        option->setAccessibleDescription(baudHeading->text());
        bauds->addButton(option);
        option->setChecked(choices.baud == i);
        connect(option, &QRadioButton::clicked, this, [this, i] { program_.setup.chooseRate(i); });
    }

    text1_ = new QLineEdit(&panel);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(Place({3720, 1320, 2175, 285}));
    text2_ = new QLineEdit(&panel);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(Place({3720, 2280, 2175, 285}));
    for (QLineEdit* box : {text1_, text2_})
        KeepSystemColour(*box, QPalette::Base);
    Describe(*text1_, callSignCaption->text());
    Describe(*text2_, dataFileCaption->text());
    // Every change stores at once, the one made by the load included.
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) { program_.setup.setCallSign(text); });
    connect(text2_, &QLineEdit::textChanged, this, [this](const QString& text) { program_.setup.setDefaultFile(text); });
    text1_->setText(choices.callSign);
    text2_->setText(choices.dataFile);

    // Below the rates: where rig-control clients (WSJT-X, fldigi) reach the radio; empty, none do.
    const QLabel* serverCaption =
        MakeLabel(panel, "Label6", QStringLiteral("Rig Server"), {1800, 2880, 1455, 255}, Bold(8.25));
    rigServer_ = new QLineEdit(&panel);
    rigServer_->setObjectName(QStringLiteral("Text3"));
    rigServer_->setGeometry(Place({1800, 3240, 1455, 285}));
    rigServer_->setPlaceholderText(QStringLiteral("off"));
    KeepSystemColour(*rigServer_, QPalette::Base);
    Describe(*rigServer_, serverCaption->text(), QStringLiteral("port or address:port for Hamlib NET rigctl clients; empty: off"));
    connect(rigServer_, &QLineEdit::textChanged, this, [this](const QString& text) { program_.setup.setRigServer(text); });
    rigServer_->setText(choices.rigServer);

    CaptionButton* save = MakeButton(panel, "Command0", QStringLiteral("Save"), {3720, 3240, 2175, 495}, Bold(9.75));
    SetBackground(*save, ColourFromBgr(kSaveColour));
    // The buttons do what the menu items of the same names do; the descriptions tell them apart.
    Describe(*save, save->text(), QStringLiteral("writes TALVEX.INI and opens the port and the data file again"));
    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    CaptionButton* quit = MakeButton(panel, "Command1", QStringLiteral("Quit"), {3720, 3960, 2175, 495}, Bold(9.75));
    Describe(*quit, quit->text(), QStringLiteral("closes System Setup without saving"));
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
}

void SetupMain::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    connect(NamedAction(file->addAction(QStringLiteral("&Quit")), "FileQuit"), &QAction::triggered, this, &QWidget::close);
    connect(NamedAction(file->addAction(QStringLiteral("&Save")), "FileSave"), &QAction::triggered, this, [this] { save(); });
    QAction* quit = menuBar()->addAction(QStringLiteral("&Quit"));
    quit->setObjectName(QStringLiteral("Quit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    QAction* saveItem = menuBar()->addAction(QStringLiteral("&Save"));
    saveItem->setObjectName(QStringLiteral("Save"));
    connect(saveItem, &QAction::triggered, this, [this] { save(); });
    QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    connect(help, &QAction::triggered, this, [this] { ShowHelp(program_.dialogs); });
}

void SetupMain::save()
{
    // A configuration that could not be written leaves the window open to try again.
    if (!program_.setup.Save())
        return;
    program_.notifyDisplay();
    saved_ = true;
    close();
}

// Quit and the frame's close control are one way out: with the configuration missing at start
// the program asks for a restart and ends.
void SetupMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!saved_)
        program_.setup.Quit();
}

}  // namespace talvex
