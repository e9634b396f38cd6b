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
    OptionButton(const QString& caption, QWidget* parent);

    // A push button in the dress of an option button: it never stays checked, so it can be
    // clicked again, and it belongs to no group.
    void makePushStyle();
    bool pushStyle() const { return pushStyle_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveFocusInGroup(bool forward);

    bool pushStyle_ = false;
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
