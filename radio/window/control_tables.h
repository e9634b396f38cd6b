#pragma once

#include "platform/widgets/form_controls.h"
#include "platform/widgets/readout_field.h"
#include "radio/window/radio_entries.h"

#include <QString>

#include <functional>
#include <vector>

namespace talvex {

// Positions are twips in the window's client area unless a row says it sits in a frame.

// What a control does when it is clicked: a procedure of the radio, asking the operator first
// where it needs a value.
using Action = std::function<void(RadioEntries&)>;

struct ListItem {
    const char* text;
    Action action;
};

struct ListControl {
    const char* name;
    Twips place;
    std::vector<ListItem> items;
};

// An option button that works as a push button (it never stays selected) or a command button.
struct ButtonControl {
    const char* name;
    const char* caption;
    Twips place;
    Action action;
};

// A heading over a column of lists.
struct ColumnHeading {
    const char* label;
    const char* caption;
    Twips place;
    bool centred = false;  // over more than one column
};

// The captioned display fields of the window, Text1 to Text6.
const std::vector<FieldCaption>& DisplayFields();
// The headings over the list columns.
const std::vector<ColumnHeading>& ListHeadings();
// The mode, filter, VFO and function lists, their items in the order they stand.
const std::vector<ListControl>& FunctionLists();
// The heading of the column a list stands in.
QString ColumnOf(const ListControl& list);
// What a list is called: the words its first two items begin with alike ("Tuner Off", "Tuner
// On", "TUNE": "Tuner"), or the heading of its column where they share none ("AM", "FM": "Mode").
QString ListName(const ListControl& list);
// The "Radio Operations" and "Memory Operations " columns of option buttons.
const std::vector<ButtonControl>& OperationButtons();
// The buttons inside the Command Control frame (positions relative to the frame).
const std::vector<ButtonControl>& CommandControlButtons();
// Rx and Tx, inside their frame in the Command Control frame (positions relative to it).
const std::vector<ButtonControl>& RxTxButtons();
// The buttons that stand on the window itself: My Call, R/T Status, Manual Command, power.
const std::vector<ButtonControl>& WindowButtons();

}  // namespace talvex
