#include "platform/widgets/readout_field.h"

#include "platform/widgets/accessible_controls.h"

#include <QAccessible>

namespace talvex {

ReadoutField::ReadoutField(QWidget* parent) : QLineEdit(parent)
{
    InstallAccessibleControls();
    setReadOnly(true);
}

void ReadoutField::display(const QString& text)
{
    if (this->text() != text)
        setText(text);
    spoken_.clear();
}

void ReadoutField::announce(const QString& spoken)
{
    spoken_ = spoken;
    QAccessibleValueChangeEvent event(this, spokenValue());
    QAccessible::updateAccessibility(&event);
}

}  // namespace talvex
