#pragma once

#include "program.h"

#include <QObject>

#include <memory>

class QPlainTextEdit;
class QWidget;

namespace talvex {

// The program's windows around one Program. Until the full windows stand, the Radio window
// shows its message area and the Memory window its greeting and traffic.
class Windows final : public WindowShell {
public:
    explicit Windows(PlatformServices services);
    ~Windows() override;

    void start();
    void showSplash() override;
    void showSetup() override;
    void refresh();

    Program& program() { return program_; }

private:
    Program program_;
    std::unique_ptr<QWidget> radioWindow_;
    QPlainTextEdit* radioText7_ = nullptr;
    QPlainTextEdit* memoryText_ = nullptr;
};

}  // namespace talvex
