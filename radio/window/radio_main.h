#pragma once

#include "startup/program_controls.h"
#include "radio/window/control_tables.h"

#include <QMainWindow>

#include <array>

class QAbstractButton;
class QPlainTextEdit;

namespace talvex {

class ReadoutField;

// The Radio Operations window: the program's main window. It shows the texts the link's readings
// leave in `program.radioTexts` and hands every click to the procedure of its control.
class RadioMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit RadioMain(ProgramControls program, QWidget* parent = nullptr);

    // Redraws the fields from the program state.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDisplayFields(QWidget& client);
    void buildLabels(QWidget& client);
    void buildLists(QWidget& client);
    void buildOperationButtons(QWidget& client);
    void buildFrames(QWidget& client);
    void buildDisplayFormat(QWidget& client);
    // The keyboard's way through the window, and its focus mark.
    void buildKeyboardOrder(QWidget& client);

    // Runs what a control does for the user and lets every window redraw what it changed.
    void run(const Action& action);

    ProgramControls program_;
    RadioEntries entries_;
    std::array<ReadoutField*, 6> fields_{};  // Text1 ... Text6
    QPlainTextEdit* text7_ = nullptr;
    QAbstractButton* autoStatus_ = nullptr;  // Command44, captioned from the program state
};

}  // namespace talvex
