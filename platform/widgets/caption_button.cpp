#include "platform/widgets/caption_button.h"

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

}  // namespace talvex
