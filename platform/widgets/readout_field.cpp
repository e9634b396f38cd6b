#include "platform/widgets/readout_field.h"

#include "platform/widgets/accessible_controls.h"
#include "platform/widgets/spoken.h"

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

ReadoutField* MakeReadoutField(QWidget& parent, const char* name, const Twips& place, const FontFace& font,
                               const QString& spokenName, const QString& shows)
{
    auto* field = new ReadoutField(&parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(Place(place));
    field->setFont(MakeFont(font));
    field->setTextMargins(0, 0, 0, 0);
    KeepSystemColour(*field, QPalette::Base);
    Describe(*field, spokenName, shows);
    return field;
}

}  // namespace talvex
