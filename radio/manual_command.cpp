// Manual command mode: up to five hexadecimal bytes typed by the operator, framed and sent.
#include "radio_operations.h"

#include "link/frames.h"

namespace talvex {

namespace {

constexpr int kPlaces = 5;

int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// One or two hexadecimal digits, either case, as their byte ("5" is 05).
std::optional<std::uint8_t> TokenToByte(const QString& token)
{
    if (token.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const QChar c : token) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

ManualTokens SplitManualCommand(const QString& command)
{
    ManualTokens result;
    qsizetype position = 0;
    for (int place = 0; place < kPlaces; ++place) {
        QString token;
        while (position < command.size()) {
            const QChar c = command[position++];
            if (c == u' ')
                break;  // the blank is used up
            token += c;
        }
        if (token.isEmpty())
            continue;
        result.bytes[place] = TokenToByte(token);
        if (!result.bytes[place])
            result.valid = false;
    }
    return result;
}

void RadioOperations::Command49_Click()
{
    const QString answer = dialogs_.inputOrEmpty(QStringLiteral("Enter Command String  (1 to 5 cmds, sep w/spaces )"),
                                                 QStringLiteral("Manual Command Mode"), state_.LastManualCommand);
    if (answer.isEmpty() || answer.front() == u' ' || answer == u"0") {
        refuseEntry();
        return;
    }
    const ManualTokens tokens = SplitManualCommand(answer);
    if (!tokens.valid) {
        refuseEntry();
        return;
    }
    state_.LastManualCommand = answer;
    QByteArray command;
    for (const auto& byte : tokens.bytes) {
        if (byte)
            command.append(static_cast<char>(*byte));
    }
    link_.SendCommand(CommandFrame(command));
}

}  // namespace talvex
