#pragma once

#include "startup/program_controls.h"

#include <QString>

#include <functional>

class QMainWindow;

namespace talvex {

// The menu bar both main windows carry: "File" ("Edit Channels…", which opens the Channel
// Editor on the current data file, and Exit), the way to the other main window,
// "Setup", "Exit" and "Help". The Exit items close the data file and end without closing the
// port first, as they always have. Each title has its mnemonic (Alt+F, Alt+S, ...); the way
// to the other window takes its first letter.
void AddMainMenus(QMainWindow& window, ProgramControls program, const char* otherName, const QString& otherText,
                  std::function<void()> showOther);

}  // namespace talvex
