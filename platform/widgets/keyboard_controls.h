#pragma once

#include <QListWidget>
#include <QRadioButton>

namespace talvex {

// An option button for the keyboard as for the mouse. Space or Enter does what a click does.
// The arrow keys only move the focus: in a group of options Qt would click the next one, and
// for Rx/Tx that keys the transmitter.
class OptionButton final : public QRadioButton {
    Q_OBJECT
public:
    // A choice stays checked and belongs to a group; a push option is a push button in the
    // dress of an option button: it never stays checked, so it can be clicked again.
    enum class Kind { Choice, Push };

    OptionButton(const QString& caption, QWidget* parent, Kind kind);

    bool pushStyle() const { return kind_ == Kind::Push; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveFocusInGroup(bool forward);

    const Kind kind_;
};

// A list whose items run a command: a click on an item, or Enter or Space on the current one,
// chooses it. The arrow keys only move through the items.
class CommandList final : public QListWidget {
    Q_OBJECT
public:
    explicit CommandList(QWidget* parent);

signals:
    void chosen(QListWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Enter and Return on a focused push button press it, as Space does.
bool IsPressKey(int key);

}  // namespace talvex
