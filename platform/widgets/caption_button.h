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
};

}  // namespace talvex
