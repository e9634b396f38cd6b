#include "platform/widgets/accessible_controls.h"

#include "platform/widgets/keyboard_controls.h"
#include "platform/widgets/readout_field.h"
#include "platform/widgets/spoken.h"

#include <QAccessibleWidget>

namespace talvex {

namespace {

// Read-only text: the Text interface reads what is shown, the Value interface what the field
// last announced.
class ReadoutAccessible final : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleValueInterface {
public:
    explicit ReadoutAccessible(ReadoutField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return field()->spokenValue();
        return QAccessibleWidget::text(t);
    }

    // Text
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString shown = field()->text();
        if (startOffset < 0 || endOffset < startOffset || startOffset > shown.size())
            return {};
        return shown.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(field()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

    // Value
    QVariant currentValue() const override { return field()->spokenValue(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    const ReadoutField* field() const { return static_cast<const ReadoutField*>(widget()); }
};

// An option button that never stays checked: a push button to the screen reader, pressed the
// way a click presses it.
class PushOptionAccessible final : public QAccessibleWidget {
public:
    explicit PushOptionAccessible(OptionButton* option) : QAccessibleWidget(option, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && option()->accessibleName().isEmpty())
            return SpokenCaption(option()->text());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            option()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    OptionButton* option() const { return static_cast<OptionButton*>(widget()); }
};

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("talvex::ReadoutField"))
        return new ReadoutAccessible(static_cast<ReadoutField*>(object));
    if (className == QLatin1String("talvex::OptionButton") && static_cast<OptionButton*>(object)->pushStyle())
        return new PushOptionAccessible(static_cast<OptionButton*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(&MakeAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace talvex
