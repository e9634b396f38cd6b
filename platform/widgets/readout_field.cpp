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
    // The desktop bus carries a value change as a number only: what is said beyond the text shown
    // (an operation's progress, its end) goes out as text too, as a live status line's does.
    if (!spoken.isEmpty() && spoken != text()) {
        QAccessibleTextInsertEvent said(this, 0, spoken);
        QAccessible::updateAccessibility(&said);
    }
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

void MakeCaptionedReadouts(QWidget& parent, const std::vector<FieldCaption>& captions,
                           const std::function<void(const char* name, ReadoutField* field)>& keep)
{
    for (const FieldCaption& caption : captions) {
        const int count = static_cast<int>(caption.fields.size());
        for (int i = 0; i < count; ++i) {
            const DisplayField& shown = caption.fields[static_cast<std::size_t>(i)];
            keep(shown.name, MakeReadoutField(parent, shown.name, shown.place, shown.font,
                                              CaptionPart(QString::fromLatin1(caption.caption), i, count),
                                              QString::fromLatin1(shown.shows)));
        }
    }
}

}  // namespace talvex
