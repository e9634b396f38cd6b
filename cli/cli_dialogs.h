#pragma once

#include "output.h"

#include "platform/dialogs.h"

#include <QStringList>

namespace talvex::cli {

// The engine's questions, answered by the command line itself: the command IS the operator's
// Yes, and a typed value (Blank Rig's channels) comes from the command's operands. Messages go to
// standard error as one "talvex-mem: TITLE: TEXT" block; an error message is also what a --json
// object says, when the run ends before its report. No window is ever shown.
class CliDialogs final : public Dialogs {
public:
    explicit CliDialogs(Output& output) : output_(output) {}
    // The answers to the engine's input prompts, in the order it asks them.
    void setInputs(QStringList inputs) { inputs_ = std::move(inputs); }

    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew) override;

private:
    Output& output_;
    QStringList inputs_;
};

}  // namespace talvex::cli
