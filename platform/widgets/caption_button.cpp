#include "platform/widgets/caption_button.h"

#include "platform/widgets/keyboard_controls.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace talvex {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // The frame's margins stay clear so a long caption never runs into the bevel.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2 + 1;
    QRect area = rect().adjusted(margin, margin, -margin, -margin);
    if (isDown())
        area.translate(1, 1);
    painter.setPen(palette().color(isEnabled() ? QPalette::ButtonText : QPalette::PlaceholderText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

void CaptionButton::keyPressEvent(QKeyEvent* event)
{
    if (IsPressKey(event->key())) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace talvex
