#pragma once

#include "output.h"

#include "platform/dialogs.h"

#include <QStringList>

namespace talvex::cli {

// The program object's boxes on the command line: standard error, as one "talvex-mem: TITLE: TEXT"
// block; an error message is also what a --json object says, when the run ends before its
// report. The engine and the link tell the command everything as values; what can still come
// here is the data file's word on a file that vanished after the command checked it (it is
// created empty, and said so). The command passes its answers in its requests, so a question is
// never answered here: it is declined. No window is ever shown.
class CliDialogs final : public Dialogs {
public:
    explicit CliDialogs(Output& output) : output_(output) {}

    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QStringList& filters, int initialFilter, bool mayBeNew) override;

private:
    Output& output_;
};

}  // namespace talvex::cli
