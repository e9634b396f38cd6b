#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <cstdio>

namespace talvex::cli {

// The engine's questions, answered by the command line itself: the command IS the operator's
// Yes, and a typed value (Blank Rig's channels) comes from the command's operands. Messages go to
// standard error as one "talvex-mem: TITLE: TEXT" block; no window is ever shown.
class CliDialogs final : public Dialogs {
public:
    explicit CliDialogs(std::FILE* out = stderr) : out_(out) {}
    // The answers to the engine's input prompts, in the order it asks them.
    void setInputs(QStringList inputs) { inputs_ = std::move(inputs); }

    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew) override;

    // The last error message shown, "" when none.
    const QString& lastCritical() const { return lastCritical_; }

private:
    std::FILE* out_;
    QStringList inputs_;
    QString lastCritical_;
};

}  // namespace talvex::cli
