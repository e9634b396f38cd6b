#pragma once

#include "platform/widgets/form_controls.h"

#include <vector>

class QWidget;

namespace talvex {

// One part of a form that the keyboard goes through as a whole: its controls by rows (top to
// bottom, each row left to right) or, for a block of columns, column after column.
struct TabRegion {
    enum class Reading { Rows, Columns };
    Twips area;  // in the form's own coordinates
    Reading reading = Reading::Rows;
};

// Sets the form's tab order: the regions in the order given, each control in the first region
// that holds its centre, and whatever no region holds last, by rows. Controls the keyboard can
// reach only by a click (the unchecked options of a group) are placed too, so the arrow keys
// and the order agree.
void OrderTabs(QWidget& form, const std::vector<TabRegion>& regions);

}  // namespace talvex
