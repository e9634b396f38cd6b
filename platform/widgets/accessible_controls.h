#pragma once

namespace talvex {

// Teaches Qt's accessibility layer two of our controls: a ReadoutField is read-only text whose
// value is what it announces, and an option button used as a push button is a push button
// (Qt would call it a check box, and the operator would wait for it to be checked). Safe to
// call more than once; the controls call it themselves.
void InstallAccessibleControls();

}  // namespace talvex
