#include "platform/widgets/form_controls.h"

#include "platform/widgets/spoken.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace talvex {

QRect Place(const Twips& t) { return TwipsRect(t.left, t.top, t.width, t.height); }

FontFace LabelFont() { return {QStringLiteral("Terminal"), 9, true}; }
FontFace ButtonFont() { return {QStringLiteral("MS Sans Serif"), 8.25, true}; }
FontFace HeadingFont() { return {QStringLiteral("Arial"), 9.75, true}; }

void KeepSystemColour(QWidget& widget, QPalette::ColorRole role)
{
    SetBackground(widget, QApplication::palette().color(role));
}

QLabel* MakeLabel(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                  const FontFace& font, Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, &parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(Place(place));
    label->setFont(MakeFont(font));
    label->setAlignment(alignment);
    // The fallback faces run wider than the originals: a caption that no longer fits grows
    // its box rather than losing its end (centred captions grow on both sides).
    const int needed = label->sizeHint().width();
    QRect box = label->geometry();
    if (!caption.isEmpty() && needed > box.width()) {
        const int grow = needed - box.width();
        if (alignment & Qt::AlignHCenter)
            box.moveLeft(std::max(0, box.left() - grow / 2));
        box.setWidth(needed);
        label->setGeometry(box);
    }
    return label;
}

QFrame* MakeFrame(QWidget& parent, const char* name, const Twips& place)
{
    auto* frame = new QFrame(&parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(Place(place));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return frame;
}

CaptionButton* MakeButton(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                          const FontFace& font)
{
    auto* button = new CaptionButton(caption, &parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(Place(place));
    button->setFont(MakeFont(font));
    KeepSystemColour(*button, QPalette::Button);
    Describe(*button, SpokenCaption(caption));
    return button;
}

OptionButton* MakeOption(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                         OptionButton::Kind kind)
{
    auto* option = new OptionButton(caption, &parent, kind);
    option->setObjectName(QString::fromLatin1(name));
    option->setGeometry(Place(place));
    Describe(*option, SpokenCaption(caption));
    return option;
}

void ShowWhole(QLineEdit& field, const QString& text, const QFont& designed)
{
    // The room a line edit gives its text: inside its frame and text margins, less the two
    // pixels it keeps on either side; it scrolls once the text, one pixel of cursor and any
    // overhang of the glyphs need more.
    constexpr int kLineEditMargin = 2;
    QStyleOptionFrame frame;
    frame.initFrom(&field);
    frame.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &field) : 0;
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &field);
    const int room = contents.marginsRemoved(field.textMargins()).width() - 2 * kLineEditMargin;
    const auto needed = [&text](const QFont& font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(text) + 1 + std::max(0, -metrics.minLeftBearing())
            + std::max(0, -metrics.minRightBearing());
    };
    constexpr double kSmallest = 6;
    QFont font = designed;
    while (needed(font) > room && font.pointSizeF() > kSmallest)
        font.setPointSizeF(std::max(kSmallest, font.pointSizeF() - 0.5));
    if (field.font() != font)
        field.setFont(font);
    field.setText(text);
    field.setCursorPosition(0);
}

QAction* NamedAction(QAction* action, const char* name)
{
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void CentreOnOwner(QWidget& window)
{
    window.adjustSize();
    const QWidget* owner = window.parentWidget();
    const QScreen* screen = window.screen();
    const QRect around = owner != nullptr ? owner->frameGeometry() : (screen != nullptr ? screen->availableGeometry() : QRect());
    if (!around.isValid())
        return;
    QRect placed = window.frameGeometry();
    placed.moveCenter(around.center());
    window.move(placed.topLeft());
}

}  // namespace talvex
