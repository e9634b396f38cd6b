#include "editor/frequency_entry.h"

#include "channels/record_fields.h"
#include "datafile/file_line.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <QRegularExpression>

namespace talvex::editor {

namespace {

// Hertz of "<whole>.<fraction>" in units of `unit` hertz, the fraction as many digits as typed.
// Nothing past 1 Hz: a fraction finer than a hertz is no frequency the radio holds.
std::optional<std::int64_t> HzOf(const QString& whole, const QString& fraction, std::int64_t unit)
{
    if (whole.size() > 8 || fraction.size() > 9)
        return std::nullopt;
    std::int64_t hz = whole.toLongLong() * unit;
    std::int64_t place = unit;
    for (const QChar digit : fraction) {
        place /= 10;
        if (place == 0) {
            if (digit != u'0')
                return std::nullopt;
            continue;
        }
        hz += digit.digitValue() * place;
    }
    return hz;
}

// The typed text with its one decimal comma made a point; nothing when the separators are
// ambiguous (a comma and a point, or several commas).
std::optional<QString> WithDecimalPoint(const QString& text)
{
    const auto commas = text.count(u',');
    if (commas == 0)
        return text;
    if (commas > 1 || text.contains(u'.'))
        return std::nullopt;
    return QString(text).replace(u',', u'.');
}

}  // namespace

std::optional<FrequencyEntry> ParseFrequencyEntry(const QString& text)
{
    static const QRegularExpression zoneForm(QStringLiteral("^(\\d{1,2})\\.(\\d{3})\\.(\\d+)$"));
    static const QRegularExpression numberForm(QStringLiteral("^(\\d+)(?:\\.(\\d*))?$"));
    const auto pointed = WithDecimalPoint(text.trimmed());
    if (!pointed)
        return std::nullopt;
    const QString& typed = *pointed;
    std::optional<std::int64_t> hz;
    if (const auto zone = zoneForm.match(typed); zone.hasMatch()) {
        hz = HzOf(zone.captured(1) + zone.captured(2), zone.captured(3), 1000);
    } else if (const auto number = numberForm.match(typed); number.hasMatch()) {
        // Operators type megahertz below 100 and kilohertz from 100 up: 7.074 and 7074 alike.
        const QString whole = number.captured(1);
        const bool kilohertz = whole.toLongLong() >= 100;
        hz = HzOf(whole, number.captured(2), kilohertz ? 1000 : 1'000'000);
    }
    if (!hz || *hz >= 100'000'000)
        return std::nullopt;
    return FrequencyEntry{*hz - *hz % 100, *hz % 100 != 0, QString::number(*hz)};
}

QString FrequencyRefusal(const QString& text)
{
    const QString typed = text.trimmed();
    const QString quoted = u'"' + typed + u'"';
    const auto commas = typed.count(u',');
    if (commas > 0 && typed.contains(u'.'))
        return quoted + QStringLiteral(" has both a decimal comma and a point: type one of them (14.074.5 or 14074,5)");
    if (commas > 1)
        return quoted + QStringLiteral(" has ") + QString::number(commas)
            + QStringLiteral(" commas: a frequency takes one decimal comma (29,64 or 14074,5)");
    return quoted + QStringLiteral(" is no frequency: type 14.074 (MHz), 14074 (kHz) or 14.074.0");
}

QString FrequencyZoneText(std::int64_t hz)
{
    const auto digit = [hz](std::int64_t unit) { return static_cast<int>(hz / unit % 10); };
    return FormatFrequency(digit(10'000'000) * 10 + digit(1'000'000), digit(100'000) * 10 + digit(10'000),
                           digit(1000) * 10 + digit(100));
}

std::optional<std::int64_t> HzOfZone(const QString& zone)
{
    const auto digits = FrequencyDigitsOf(zone);
    if (!digits)
        return std::nullopt;
    return digits->toLongLong() * 100;
}

QString CutMessage(const FrequencyEntry& entry)
{
    return QStringLiteral("digits past 100 Hz are cut: ") + entry.typedAs + QStringLiteral(" Hz is kept as ")
        + FrequencyZoneText(entry.hz) + QStringLiteral(" (the file holds 100 Hz steps)");
}

QString RangeRefusal(std::int64_t hz)
{
    if (kRadio.holdsFrequency(hz))
        return {};
    return QStringLiteral("frequency ") + FrequencyZoneText(hz) + QStringLiteral(" is outside ") + MemoryRangeText()
        + QStringLiteral(": the radio refuses it");
}

}  // namespace talvex::editor
