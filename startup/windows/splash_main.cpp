#include "startup/windows/splash_main.h"

#include "platform/timer.h"
#include "platform/widgets/form_controls.h"
#include "startup/startup.h"
#include "startup/system_setup.h"
#include "startup/window_shell.h"
#include "startup/windows/radio_picture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace talvex {

namespace {

constexpr unsigned int kRed = 0x000000FF;
constexpr unsigned int kWhite = 0x00FFFFFF;
constexpr int kShowMs = 2000;

FontFace Arial(double points, bool italic = false) { return {QStringLiteral("Arial"), points, true, italic}; }

}  // namespace

SplashMain::SplashMain(ProgramControls program, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), program_(program)
{
    setObjectName(QStringLiteral("SplashMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(TwipsRect(0, 0, 7515, 6660).size());
    SetBackground(*this, ColourFromBgr(kRed));

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setGeometry(Place({120, 120, 7305, 6435}));
    SetBackground(*panel, ColourFromBgr(kWhite));

    auto* logo = new RadioPicture(panel);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(Place({360, 360, 6495, 3705}));

    const struct {
        const char* name;
        QString text;
        Twips place;
        FontFace font;
    } labels[] = {
        {"lblProductName", ProductName(), {480, 4440, 1830, 615}, Arial(26.25)},
        // The author's call sign is wider than its box in the fallback face; it may use the
        // panel's right margin.
        {"lblCompanyProduct", kDefaultCallSign, {5040, 4440, 2145, 540}, Arial(24, true)},
        {"lblPlatform", QStringLiteral("TALVEX developers"), {2640, 5400, 2385, 360}, Arial(15.75)},
        {"lblVersion", QStringLiteral("Version 2.00"), {240, 6000, 1125, 285}, Arial(12)},
        {"lblDate", QStringLiteral("March 2019"), {5280, 6000, 1815, 255}, Arial(12)},
    };
    for (const auto& l : labels) {
        QLabel* label = MakeLabel(*panel, l.name, l.text, l.place, l.font);
        label->installEventFilter(this);
    }

    auto* prompt = new QLineEdit(QStringLiteral("Click to Continue"), panel);
    prompt->setObjectName(QStringLiteral("Text1"));
    prompt->setGeometry(Place({3120, 6120, 1335, 285}));
    prompt->setFrame(false);
    // Wide enough for its text in the face at hand, so it never shows scrolled.
    const int promptWidth = prompt->fontMetrics().horizontalAdvance(prompt->text()) + 8;
    if (promptWidth > prompt->width())
        prompt->setGeometry(prompt->x() - (promptWidth - prompt->width()) / 2, prompt->y(), promptWidth, prompt->height());
    SetBackground(*prompt, ColourFromBgr(kWhite));
    connect(prompt, &QLineEdit::textEdited, this, [this] { finish(); });
    prompt->setAccessibleName(prompt->text());

    for (QWidget* target : {static_cast<QWidget*>(panel), static_cast<QWidget*>(logo), static_cast<QWidget*>(prompt)})
        target->installEventFilter(this);

    timer1_ = program_.timers.create(kShowMs, true);
    timer1_->onTick([this] {
        timer1_->setEnabled(false);
        finish();
    });
    program_.state.HexDisplay = true;
    CentreOnOwner(*this);
}

SplashMain::~SplashMain() = default;

void SplashMain::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        finish();
}

// A click on the panel or anything on it closes the window; the red border does not.
bool SplashMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched != this) {
        finish();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashMain::finish()
{
    if (finished_)
        return;
    finished_ = true;
    timer1_->setEnabled(false);
    program_.windows.showRadioWindow();
    close();
}

}  // namespace talvex
