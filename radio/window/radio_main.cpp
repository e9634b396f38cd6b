#include "radio/window/radio_main.h"

#include "memory/window/channel_fields.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/readout_field.h"
#include "platform/widgets/spoken.h"
#include "startup/startup.h"
#include "startup/window_shell.h"
#include "startup/windows/window_menus.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>

namespace talvex {

namespace {

constexpr unsigned int kWindowColour = 0x00FFFF80;  // light cyan
constexpr int kClientWidth = 13140;
constexpr int kClientHeight = 9390;

}  // namespace

RadioMain::RadioMain(ProgramControls program, QWidget* parent)
    : QMainWindow(parent), program_(program), entries_(program_.state, program_.radio, program_.dialogs, program_.radioTexts,
               program_.memoryTexts.fields())
{
    setObjectName(QStringLiteral("RadioMain"));
    setWindowTitle(QStringLiteral("Radio Operations"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("RadioClient"));
    client->setFixedSize(TwipsRect(0, 0, kClientWidth, kClientHeight).size());
    client->setFont(MakeFont({QStringLiteral("MS Sans Serif"), 8.25}));
    SetBackground(*client, ColourFromBgr(kWindowColour));
    setCentralWidget(client);

    // Creation order is stacking order: the frames go first so the buttons that stand on the
    // window over a frame stay visible and clickable.
    buildFrames(*client);
    buildLabels(*client);
    buildDisplayFields(*client);
    buildLists(*client);
    buildOperationButtons(*client);
    buildDisplayFormat(*client);
    buildKeyboardOrder(*client);
    AddMainMenus(*this, program_, "Memory", QStringLiteral("Memory-Window"), [this] { program_.windows.showMemoryWindow(); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    program_.addDisplayListener([this] { refresh(); });
    refresh();

    CentreOnOwner(*this);
}

void RadioMain::refresh()
{
    const RadioFields& texts = program_.radioTexts.fields();
    const std::array<const QString*, 6> shown{
        &texts.Text1, &texts.Text2, &texts.Text3, &texts.Text4, &texts.Text5, &texts.Text6};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        ReadoutField& field = *fields_[i];
        if (field.text() == *shown[i])
            continue;
        field.display(*shown[i]);
        // The frequency and the mode are what the operator waits for after a query, and what
        // a turn of the dial broadcasts; a blanked field is not news.
        const bool awaited = &field == fields_[0] || &field == fields_[3];
        if (awaited && !shown[i]->trimmed().isEmpty())
            field.announce();
    }
    if (text7_->toPlainText() != texts.Text7) {
        text7_->setPlainText(texts.Text7);
        text7_->moveCursor(QTextCursor::End);  // the newest traffic stays in sight
    }
    // The bar appears with the rig server's first notice; a program that serves no client keeps
    // the window as it always was.
    if (!program_.state.ServerNotice.isEmpty() && statusBar()->currentMessage() != program_.state.ServerNotice) {
        statusBar()->showMessage(program_.state.ServerNotice);
        Describe(*statusBar(), program_.state.ServerNotice);
    }
    if (autoStatus_->text() != texts.AutoStatusCaption) {
        autoStatus_->setText(texts.AutoStatusCaption);
        Describe(*autoStatus_, texts.AutoStatusCaption);
    }
}

void RadioMain::run(const Action& action)
{
    action(entries_);
    program_.notifyDisplay();
}

// The frame's close control ends the program the way the Exit button does, so the port is
// never left open behind a closed main window.
void RadioMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    program_.startup.ExitButton();
}

// A click into the message area is Clear Status.
bool RadioMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text7_->viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        run([](RadioEntries& entries) { entries.clearStatus(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace talvex
