#pragma once

#include "startup/program_controls.h"

#include <QMainWindow>

class QLineEdit;

namespace talvex {

// The System Setup window. Every choice and keystroke edits the configuration at once; Save
// writes it and opens port and data file again, Quit (or the frame's close control) leaves.
// The window is created for each showing and deletes itself when closed.
class SetupMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit SetupMain(ProgramControls program, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(QWidget& panel);
    void buildMenus();
    void save();

    ProgramControls program_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLineEdit* rigServer_ = nullptr;
    bool saved_ = false;
};

}  // namespace talvex
