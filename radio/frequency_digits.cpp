#include "radio/frequency_digits.h"

#include "link/frames.h"

namespace talvex {

std::optional<QByteArray> FrequencyBytesOf(const QString& entry)
{
    if (entry.size() < 3 || entry.size() > 6)
        return std::nullopt;
    for (const QChar c : entry) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    QString digits = entry.rightJustified(entry.size() < 5 ? 5 : entry.size(), u'0');
    if (digits.size() == 5)
        digits += u'0';  // the 100 Hz digit
    return FrequencyField(digits);
}

}  // namespace talvex
