#pragma once

#include <QPushButton>

namespace talvex {

// A push button whose caption wraps onto several lines when it is wider than the button, as
// the window's tall buttons (" go to   Memory Window ") need; QPushButton never wraps.
class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Return press the focused button as Space and a click do.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace talvex
