#include "startup/windows/data_main.h"

#include "memory/window/channel_fields.h"
#include "platform/widgets/focus_mark.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/spoken.h"
#include "platform/widgets/tab_order.h"
#include "startup/data_file_setup.h"
#include "startup/system_setup.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>

namespace talvex {

namespace {

constexpr unsigned int kWindowColour = 0x0080FFFF;  // pale yellow
constexpr unsigned int kYellow = 0x0000FFFF;
constexpr int kClientWidth = 7365;
constexpr int kClientHeight = 4680;

const FontFace kTitleFont{QStringLiteral("MS Sans Serif"), 13.5, true, true};

}  // namespace

DataMain::DataMain(ProgramControls program, QWidget* parent) : QMainWindow(parent), program_(program)
{
    setObjectName(QStringLiteral("DataMain"));
    setWindowTitle(QStringLiteral("Data File Setup"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* client = new QWidget(this);
    client->setFixedSize(TwipsRect(0, 0, kClientWidth, kClientHeight).size());
    client->setFont(MakeFont({QStringLiteral("MS Sans Serif"), 8.25, true}));
    SetBackground(*client, ColourFromBgr(kWindowColour));
    setCentralWidget(client);
    buildControls(*client);
    OrderTabs(*client, {});
    new FocusMark(*client);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    fields_ = program_.dataSetup.fieldsShown();
    showFields(fields_);
}

void DataMain::buildControls(QWidget& client)
{
    MakeLabel(client, "Label3", QStringLiteral("Open Files"), {2880, 120, 1815, 375}, kTitleFont);
    const QLabel* currentCaption = MakeLabel(client, "Label1", QStringLiteral("Current File"), {120, 600, 1815, 255}, LabelFont());
    const QLabel* newCaption = MakeLabel(client, "Label2", QStringLiteral("New File"), {120, 1200, 1095, 255}, LabelFont());
    text1_ = new QLineEdit(&client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(Place({120, 840, 7095, 315}));
    text1_->setFont(MakeFont({QStringLiteral("Arial"), 9.75, true}));
    text2_ = new QLineEdit(&client);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(Place({120, 1440, 7095, 300}));
    for (QLineEdit* box : {text1_, text2_}) {
        box->setReadOnly(true);
        KeepSystemColour(*box, QPalette::Base);
    }
    Describe(*text1_, currentCaption->text());
    Describe(*text2_, newCaption->text());

    QFrame* panel = MakeFrame(client, "Frame1", {1320, 2040, 4935, 2295});
    MakeLabel(*panel, "Label4", QStringLiteral("File Controls"), {1440, 0, 2055, 375}, kTitleFont);
    connect(MakeButton(*panel, "Command3", QStringLiteral("Open New File"), {120, 720, 1455, 255}), &QPushButton::clicked,
            this, [this] { choose(&DataFileSetup::openNewFile); });
    connect(MakeButton(*panel, "Command2", QStringLiteral("Search for File"), {1680, 600, 1455, 495}),
            &QPushButton::clicked, this, [this] { choose(&DataFileSetup::searchForFile); });
    CaptionButton* useDefault = MakeButton(*panel, "Command1", QStringLiteral("Use Default File"), {3240, 720, 1575, 255});
    SetBackground(*useDefault, ColourFromBgr(kYellow));
    connect(useDefault, &QPushButton::clicked, this, [this] { choose(&DataFileSetup::useDefaultFile); });
    CaptionButton* back = MakeButton(*panel, "Command0", QStringLiteral("Return"), {960, 1440, 3015, 495},
                                     {QStringLiteral("MS Sans Serif"), 9.75, true});
    // The button does what the Return menu items do; the description tells it from them.
    Describe(*back, back->text(), QStringLiteral("closes Data File Setup and blanks the Memory window's fields"));
    connect(back, &QPushButton::clicked, this, [this] { returnToMemoryWindow(); });
}

void DataMain::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    connect(NamedAction(file->addAction(QStringLiteral("&Quit")), "FileQuit"), &QAction::triggered, this, &QWidget::close);
    connect(NamedAction(file->addAction(QStringLiteral("&Return")), "FileReturn"), &QAction::triggered, this,
            [this] { returnToMemoryWindow(); });
    connect(NamedAction(menuBar()->addAction(QStringLiteral("&Quit")), "Quit"), &QAction::triggered, this, &QWidget::close);
    connect(NamedAction(menuBar()->addAction(QStringLiteral("&Return")), "Return"), &QAction::triggered, this,
            [this] { returnToMemoryWindow(); });
    connect(NamedAction(menuBar()->addAction(QStringLiteral("&Help")), "Help"), &QAction::triggered, this,
            [this] { ShowHelp(program_.dialogs); });
}

void DataMain::choose(void (DataFileSetup::*choice)(DataSetupFields&))
{
    (program_.dataSetup.*choice)(fields_);
    showFields(fields_);
    program_.notifyDisplay();
}

void DataMain::returnToMemoryWindow()
{
    // The Memory window's fields start clean for the new file.
    program_.memoryTexts.fields().clearShown();
    program_.notifyDisplay();
    close();
}

void DataMain::showFields(const DataSetupFields& fields)
{
    text1_->setText(fields.current);
    text2_->setText(fields.chosen);
    QFont font = MakeFont({QStringLiteral("Arial"), 9.75, fields.chosenOpened, true});
    text2_->setFont(font);
}

}  // namespace talvex
