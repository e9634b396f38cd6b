#pragma once

#include "memory/window/progress_announcement.h"
#include "startup/program_controls.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <functional>

class QPlainTextEdit;

namespace talvex {

class ReadoutField;

// The Memory Operations window. It shows the texts in `program.state.memory` and hands every
// click to the Memory window's operations; it builds no frames of its own. One instance lives
// for the whole run; closing it only hides it, and the operations go on.
class MemoryMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit MemoryMain(ProgramControls program, QWidget* parent = nullptr);

    // What a control does: one of the window's procedures.
    using Procedure = std::function<void(MemoryWindowOperations&)>;

    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDisplayFields(QWidget& client);
    void buildLabels(QWidget& client);
    void buildGroups(QWidget& client);
    // The keyboard's way through the window, and its focus mark.
    void buildKeyboardOrder(QWidget& client);

    // Runs one operation for the user and lets every window redraw what it changed.
    void run(const Procedure& procedure);

    ProgramControls program_;
    std::array<ReadoutField*, 8> fields_{};  // Text1 ... Text8
    QFont channelFont_;                      // Text1's own, which "END" shrinks to fit
    QPlainTextEdit* text9_ = nullptr;
    OperationView shownOperation_;  // as the last redraw found it
};

}  // namespace talvex
