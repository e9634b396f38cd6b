#include "platform/widgets/focus_mark.h"

#include <QFocusEvent>
#include <QPainter>

namespace talvex {

namespace {

constexpr int kRingWidth = 3;  // black outside, white inside, so it shows on every colour

}  // namespace

FocusMark::FocusMark(QWidget& form) : QWidget(&form)
{
    setObjectName(QStringLiteral("FocusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            byKeyboard_ = true;
        else if (reason == Qt::MouseFocusReason || control != target_)
            byKeyboard_ = false;
        target_ = control;
        if (byKeyboard_)
            markAround(control);
        else
            hide();
        break;
    }
    case QEvent::FocusOut:
    case QEvent::Hide:
        if (control == target_)
            hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (control == target_ && isVisible())
            markAround(control);
        break;
    default:
        break;
    }
    return false;
}

void FocusMark::markAround(QWidget* control)
{
    const QRect around(control->mapTo(parentWidget(), QPoint(0, 0)), control->size());
    setGeometry(around.adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth));
    raise();
    show();
}

void FocusMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    painter.fillRect(outer.x(), outer.y(), outer.width(), 2, Qt::black);
    painter.fillRect(outer.x(), outer.bottom() - 1, outer.width(), 2, Qt::black);
    painter.fillRect(outer.x(), outer.y(), 2, outer.height(), Qt::black);
    painter.fillRect(outer.right() - 1, outer.y(), 2, outer.height(), Qt::black);
    painter.setPen(Qt::white);
    painter.drawRect(outer.adjusted(2, 2, -3, -3));
}

}  // namespace talvex
