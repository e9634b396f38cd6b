#pragma once

#include "platform/widgets/caption_button.h"
#include "platform/widgets/form_metrics.h"
#include "platform/widgets/keyboard_controls.h"

#include <QPalette>
#include <QString>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace talvex {

// A control's place in its parent, in twips.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

QRect Place(const Twips& t);

// The field-label face the windows share, Terminal 9 pt bold.
FontFace LabelFont();
// The face of the ordinary buttons, MS Sans Serif 8.25 pt bold.
FontFace ButtonFont();
// The face of a framed group's heading, Arial 9.75 pt bold.
FontFace HeadingFont();

// Controls that keep the system's own colours although the window around them is coloured.
void KeepSystemColour(QWidget& widget, QPalette::ColorRole role);

// Controls built at their place, named as the program knows them, owned by `parent`. Buttons
// and options are named for screen readers by their captions, as spoken.
QLabel* MakeLabel(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                  const FontFace& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QFrame* MakeFrame(QWidget& parent, const char* name, const Twips& place);
CaptionButton* MakeButton(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                          const FontFace& font = ButtonFont());
OptionButton* MakeOption(QWidget& parent, const char* name, const QString& caption, const Twips& place,
                         OptionButton::Kind kind = OptionButton::Kind::Choice);

// Shows `text` in a one-line field in its `designed` font, or smaller where the text would not
// fit whole: a field scrolled to its end would cut the text at its left edge instead.
void ShowWhole(QLineEdit& field, const QString& text, const QFont& designed);

// Names a menu action as the program knows it ("FileExit") and hands it back for connecting.
QAction* NamedAction(QAction* action, const char* name);

// Places a main window centred on its owner, or on the screen when it has none.
void CentreOnOwner(QWidget& window);

}  // namespace talvex
