#pragma once

#include "platform/widgets/form_controls.h"

#include <QLineEdit>

#include <functional>
#include <vector>

namespace talvex {

// A display field the program writes and the operator only reads: the frequency, the mode, a
// channel's summary, an operation's progress. Screen readers see it as read-only text named by
// its caption; its accessible value is what an operator waiting on it should hear, and
// announce() tells the accessibility layer that this value changed.
class ReadoutField final : public QLineEdit {
    Q_OBJECT
public:
    explicit ReadoutField(QWidget* parent);

    // Shows `text`; the accessible value becomes that text again.
    void display(const QString& text);
    // Makes `spoken` the accessible value (the text shown when empty) and sends a value-change
    // event for it; a `spoken` other than the text shown goes out as inserted text as well.
    void announce(const QString& spoken = {});

    QString spokenValue() const { return spoken_.isEmpty() ? text() : spoken_; }

private:
    QString spoken_;
};

// A display field as a window's table places it: its name, place and font, and the name and
// description a screen reader says (the caption above it, and what it shows).
ReadoutField* MakeReadoutField(QWidget& parent, const char* name, const Twips& place, const FontFace& font,
                               const QString& spokenName, const QString& shows);

// A display field the decoders write, and what it shows, for a screen reader.
struct DisplayField {
    const char* name;
    Twips place;
    FontFace font;
    const char* shows;
};

// A caption over display fields. It names them too: the caption over one field, or its parts
// ("Mode/Filter") over the fields it stands above, top to bottom.
struct FieldCaption {
    const char* label;
    const char* caption;
    Twips place;
    std::vector<DisplayField> fields;
};

// Builds every field under `captions`, each named for a screen reader by its part of the
// caption; `keep` receives each field with its name, for the window to hold.
void MakeCaptionedReadouts(QWidget& parent, const std::vector<FieldCaption>& captions,
                           const std::function<void(const char* name, ReadoutField* field)>& keep);

}  // namespace talvex
