#pragma once

#include <QPointer>
#include <QWidget>

namespace talvex {

// A ring around the control that has the keyboard focus, drawn over the form so it shows on
// every control alike (a read-only field or a frameless one has no focus mark of its own). It
// shows when the focus came by the keyboard and goes when a click moves it, so a mouse user
// sees the form as before. Build it after the controls it watches, with the form as parent.
class FocusMark final : public QWidget {
    Q_OBJECT
public:
    explicit FocusMark(QWidget& form);

    // The control the ring stands around, or nothing while it is hidden.
    QWidget* marked() const { return isVisible() ? target_.data() : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void markAround(QWidget* control);

    QPointer<QWidget> target_;
    bool byKeyboard_ = false;
};

}  // namespace talvex
