#include "bcd.h"

#include <cmath>

namespace talvex {

double LeadingNumber(const QString& text) { return LeadingNumberOf(text).value_or(0.0); }

std::optional<double> LeadingNumberOf(const QString& text)
{
    QString compact;
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            compact.append(c);
    }
    int end = 0;
    if (end < compact.size() && (compact[end] == u'-' || compact[end] == u'+'))
        ++end;
    const int digitsStart = end;
    while (end < compact.size() && compact[end].isDigit() && compact[end].unicode() < 128)
        ++end;
    if (end < compact.size() && compact[end] == u'.') {
        ++end;
        while (end < compact.size() && compact[end].isDigit() && compact[end].unicode() < 128)
            ++end;
    }
    if (end == digitsStart || (end == digitsStart + 1 && compact[digitsStart] == u'.'))
        return std::nullopt;
    return compact.left(end).toDouble();
}

BcdByte DecimalToBcd(const QString& text)
{
    if (text.isEmpty())
        return {0, kTrapDecimalEmpty};
    const double value = LeadingNumber(text);
    if (value > 179.0 || value < 0.0)
        return {0, kTrapDecimalRange};

    double rest = value;
    int tens = 0;
    if (value >= 10.0) {
        while (tens < 10 && rest >= 10.0) {
            rest -= 10.0;
            ++tens;
        }
        if (rest >= 10.0)
            tens = 11;
    }
    // A half goes to the even neighbour.
    const double byte = std::nearbyint(rest + 16.0 * tens);
    return {static_cast<std::uint8_t>(byte), 0};
}

int BcdToDecimal(std::uint8_t byte)
{
    if (byte < 16)
        return byte;
    return 10 * (byte / 16) + byte % 16;
}

std::optional<int> WholeNumberIn(const QString& text, int low, int high)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return std::nullopt;
    for (QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = trimmed.toInt();
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace talvex
