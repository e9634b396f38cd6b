#include "radio/entry_values.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"

#include <cstdint>

namespace talvex {

QString ChannelChoices() { return ChannelRangeText(); }
QString FilterChoices() { return NumbersUpTo(kRadio.filters).join(u','); }
int LabelLength() { return kRadio.labelLength; }

namespace {

constexpr int kManualPlaces = 5;

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

// One or two hexadecimal digits as their byte.
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

bool IsPrintable(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

}  // namespace

std::optional<int> ChannelOf(const QString& typed) { return WholeNumberIn(typed, kRadio.firstChannel, kRadio.lastChannel); }

std::optional<int> SelectableChannelOf(const QString& typed)
{
    return WholeNumberIn(typed, kRadio.firstChannel, kRadio.lastSelectable);
}

std::optional<int> WritableChannelOf(const QString& typed)
{
    if (typed.size() == 3)
        return std::nullopt;
    return ChannelOf(typed);
}

std::optional<QByteArray> FrequencyBytesOf(const QString& typed)
{
    // Only 3 to 6 digits name a frequency; anything else would put non-BCD bytes on the line.
    if (typed.size() < 3 || typed.size() > 6)
        return std::nullopt;
    for (const QChar c : typed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    QString digits = typed.rightJustified(typed.size() < 5 ? 5 : typed.size(), u'0');
    if (digits.size() == 5)
        digits += u'0';  // the 100 Hz digit
    return FrequencyField(digits);
}

std::optional<int> ModeOf(const QString& typed) { return ModeCode(typed); }

std::optional<int> ModeShownBy(const QString& field)
{
    // Compared exactly: with no mode shown there is nothing to keep, and sending mode 00 would
    // switch the radio to LSB.
    const auto mode = ModeCode(field);
    if (!mode || ModeName(*mode) != field)
        return std::nullopt;
    return mode;
}

std::optional<int> FilterOf(const QString& typed) { return WholeNumberIn(typed, 1, 3); }

std::optional<int> VolumeOf(const QString& typed) { return WholeNumberIn(typed, 0, 99); }

std::optional<QByteArray> ManualCommandOf(const QString& typed)
{
    if (typed.isEmpty() || typed.front() == u' ' || typed == u"0")
        return std::nullopt;
    QByteArray command;
    qsizetype position = 0;
    for (int place = 0; place < kManualPlaces; ++place) {
        QString token;
        while (position < typed.size()) {
            const QChar c = typed[position++];
            if (c == u' ')
                break;  // the blank is used up
            token += c;
        }
        if (token.isEmpty())
            continue;
        const auto byte = TokenToByte(token);
        if (!byte)
            return std::nullopt;
        command.append(static_cast<char>(*byte));
    }
    return command;
}

std::optional<QString> LabelOf(const QString& typed)
{
    const QString label = typed.left(kRadio.labelLength).leftJustified(kRadio.labelLength, u' ');
    if (!IsPrintable(label))
        return std::nullopt;
    return label;
}

}  // namespace talvex
