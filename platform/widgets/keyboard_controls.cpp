#include "platform/widgets/keyboard_controls.h"

#include "platform/widgets/accessible_controls.h"

#include <QButtonGroup>
#include <QKeyEvent>

#include <algorithm>

namespace talvex {

bool IsPressKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

OptionButton::OptionButton(const QString& caption, QWidget* parent, Kind kind) : QRadioButton(caption, parent), kind_(kind)
{
    InstallAccessibleControls();
    // Not exclusive, or a push option could not be cleared after its click.
    if (kind_ == Kind::Push)
        setAutoExclusive(false);
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (IsPressKey(key)) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && (group() != nullptr || autoExclusive())) {
        moveFocusInGroup(key == Qt::Key_Right || key == Qt::Key_Down);
        return;
    }
    QRadioButton::keyPressEvent(event);
}

// The options of one group in reading order, top to bottom and left to right; the focus goes
// round from the last to the first.
void OptionButton::moveFocusInGroup(bool forward)
{
    QList<QAbstractButton*> options;
    if (group() != nullptr) {
        options = group()->buttons();
    } else {
        for (QAbstractButton* sibling : parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
            if (sibling->autoExclusive())
                options << sibling;
        }
    }
    options.removeIf([](const QAbstractButton* b) { return !b->isVisible() || !b->isEnabled(); });
    std::sort(options.begin(), options.end(), [](const QAbstractButton* a, const QAbstractButton* b) {
        const QPoint pa = a->mapToGlobal(QPoint(0, 0));
        const QPoint pb = b->mapToGlobal(QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    const auto at = options.indexOf(this);
    if (at < 0 || options.size() < 2)
        return;
    const auto count = options.size();
    QAbstractButton* next = options[(at + (forward ? 1 : count - 1)) % count];
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

CommandList::CommandList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, &CommandList::chosen);
}

void CommandList::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    QListWidgetItem* item = currentItem();
    if ((IsPressKey(key) || key == Qt::Key_Space) && item != nullptr) {
        if (!event->isAutoRepeat()) {
            // Chosen from the keyboard, the item is marked as a click marks it.
            setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            emit chosen(item);
        }
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace talvex
