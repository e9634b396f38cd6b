#pragma once

#include <QString>

class QWidget;

namespace talvex {

// What a screen reader says for a control: its name, and a description where the name alone
// leaves open which of two alike controls it is.
void Describe(QWidget& control, const QString& name, const QString& description = {});

// A caption as it is spoken: the blanks that place it on the form ("  go to   Radio Window",
// "S-Meter ") say nothing, so runs of them become one and the ends are trimmed.
QString SpokenCaption(const QString& caption);

// The name of field `index` (top to bottom) of the `count` fields standing under one caption:
// "Mode/Filter" over two fields names them "Mode" and "Filter". A caption over one field, or
// one whose parts do not match its fields, names each of them whole.
QString CaptionPart(const QString& caption, int index, int count);

}  // namespace talvex
