#include "memory/window/memory_main.h"

#include "memory/window/channel_fields.h"
#include "memory/window/memory_window_operations.h"
#include "platform/widgets/form_controls.h"
#include "platform/widgets/readout_field.h"
#include "startup/startup.h"
#include "startup/window_shell.h"
#include "startup/windows/window_menus.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace talvex {

namespace {

constexpr unsigned int kWindowColour = 0x0000FFFF;  // yellow
constexpr int kClientWidth = 13140;
constexpr int kClientHeight = 9390;

}  // namespace

MemoryMain::MemoryMain(ProgramControls program, QWidget* parent) : QMainWindow(parent), program_(program)
{
    setObjectName(QStringLiteral("MemoryMain"));
    setWindowTitle(QStringLiteral("Memory Operations"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("MemoryClient"));
    client->setFixedSize(TwipsRect(0, 0, kClientWidth, kClientHeight).size());
    client->setFont(MakeFont({QStringLiteral("MS Sans Serif"), 8.25}));
    SetBackground(*client, ColourFromBgr(kWindowColour));
    setCentralWidget(client);

    buildGroups(*client);
    buildLabels(*client);
    buildDisplayFields(*client);
    buildKeyboardOrder(*client);
    AddMainMenus(*this, program_, "Radio", QStringLiteral("Radio-Window"), [this] { program_.windows.showRadioWindow(); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    program_.addDisplayListener([this] { refresh(); });
    refresh();
    CentreOnOwner(*this);
}

void MemoryMain::refresh()
{
    const MemoryFields& texts = program_.memoryTexts.fields();
    const std::array<const QString*, 8> shown{&texts.Text1, &texts.Text2, &texts.Text3, &texts.Text4,
                                              &texts.Text5, &texts.Text6, &texts.Text7, &texts.Text8};
    if (fields_[0]->text() != texts.Text1) {
        fields_[0]->display(texts.Text1);
        ShowWhole(*fields_[0], texts.Text1, channelFont_);
    }
    for (std::size_t i = 1; i < fields_.size(); ++i) {
        if (fields_[i]->text() == *shown[i])
            continue;
        // A text longer than its field shows from its beginning (the connection advice in
        // Text7 names the cause first), and whole when the mouse rests on it.
        fields_[i]->display(*shown[i]);
        fields_[i]->setCursorPosition(0);
        fields_[i]->setToolTip(*shown[i]);
    }
    // Every operation's progress and end pass through here, so this is where they are told:
    // on the status line, whose accessible value is then what was said.
    const OperationView now = OperationView::Of(program_.state, texts);
    if (const auto said = ProgressAnnouncement(shownOperation_, now))
        fields_[6]->announce(*said);
    shownOperation_ = now;
    ReadoutField& text8 = *fields_[7];
    if (text8.font().bold() != texts.Text8Bold) {
        QFont font = text8.font();
        font.setBold(texts.Text8Bold);
        text8.setFont(font);
    }
    if (text9_->toPlainText() != texts.Text9) {
        text9_->setPlainText(texts.Text9);
        text9_->moveCursor(QTextCursor::End);  // the newest traffic stays in sight
    }
}

void MemoryMain::run(const Procedure& procedure)
{
    procedure(program_.memoryWindow);
    program_.notifyDisplay();
}

// The frame's close control only hides the window: the operations keep running and the
// Radio window's "Memory-Window" brings the same window back.
void MemoryMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

// A click into the one-line message field is Stop.
bool MemoryMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == fields_[6] && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        run(&MemoryWindowOperations::stop);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace talvex
