#pragma once

#include "platform/widgets/form_controls.h"
#include "radio/radio_operations.h"

#include <vector>

namespace talvex {

// Positions are twips in the window's client area unless a row says it sits in a frame.

struct ListItem {
    const char* text;
    Procedure procedure;
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
    Procedure procedure;
};

// The mode, filter, VFO and function lists, their items in the order they stand.
const std::vector<ListControl>& FunctionLists();
// The "Radio Operations" and "Memory Operations " columns of option buttons.
const std::vector<ButtonControl>& OperationButtons();
// The buttons inside the Command Control frame (positions relative to the frame).
const std::vector<ButtonControl>& CommandControlButtons();
// Rx and Tx, inside their frame in the Command Control frame (positions relative to it).
const std::vector<ButtonControl>& RxTxButtons();
// The buttons that stand on the window itself: My Call, R/T Status, Manual Command, power.
const std::vector<ButtonControl>& WindowButtons();

}  // namespace talvex
