#pragma once

#include "output.h"

#include "platform/dialogs.h"

#include <QStringList>

namespace talvex::cli {

// The program object's boxes on the command line: standard error, as one "talvex-mem: TITLE: TEXT"
// block; an error message is also what a --json object says, when the run ends before its
// report. The engine, the link and the data file tell the command everything as values, so
// nothing the command runs comes here: the program object is built with the boxes its windows'
// parts (start-up, setup) use. Should one be reached, it is printed; a question is declined,
// never answered for the operator. No window is ever shown.
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
