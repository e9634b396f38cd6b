#include "cli_dialogs.h"

namespace talvex::cli {

MessageAnswer CliDialogs::message(const QString& title, const QString& text, MessageIcon icon,
                                  MessageButtons buttons)
{
    if (buttons == MessageButtons::YesNo)
        return MessageAnswer::Yes;  // the confirmation was the command line itself
    const QString told = title + QStringLiteral(": ") + text;
    if (icon == MessageIcon::Critical)
        output_.error(told);
    else
        output_.note(told);
    return MessageAnswer::Ok;
}

std::optional<QString> CliDialogs::input(const QString&, const QString&, const QString&)
{
    // A question the command gave no answer for is cancelled, never guessed.
    if (inputs_.isEmpty())
        return std::nullopt;
    return inputs_.takeFirst();
}

std::optional<QString> CliDialogs::openFile(const QStringList&, int, bool) { return std::nullopt; }

}  // namespace talvex::cli
