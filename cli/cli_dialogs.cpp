#include "cli_dialogs.h"

namespace talvex::cli {

MessageAnswer CliDialogs::message(const QString& title, const QString& text, MessageIcon icon,
                                  MessageButtons buttons)
{
    if (buttons != MessageButtons::Ok)
        return MessageAnswer::No;  // nothing asks the command line: a question is declined
    const QString told = title + QStringLiteral(": ") + text;
    if (icon == MessageIcon::Critical)
        output_.error(told);
    else
        output_.note(told);
    return MessageAnswer::Ok;
}

std::optional<QString> CliDialogs::input(const QString&, const QString&, const QString&) { return std::nullopt; }

std::optional<QString> CliDialogs::openFile(const QStringList&, int, bool) { return std::nullopt; }

}  // namespace talvex::cli
