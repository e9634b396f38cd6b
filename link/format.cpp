#include "format.h"

#include "radio_model.h"

#include <optional>

namespace talvex {

namespace {

// Each digit is written as the character 48 + digit, so values above 99 keep their odd
// characters rather than being silently cut.
void AppendTwoDigits(QString& text, int value)
{
    const int tens = value / 10;
    const int units = value - 10 * tens;
    text.append(QChar(48 + tens));
    text.append(QChar(48 + units));
}

QString TextOf(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QString MemoryRangeText()
{
    const auto megahertz = [](std::int64_t hz) { return QString::number(static_cast<double>(hz) / 1e6, 'f', 3); };
    return megahertz(kRadio.lowestHz) + u'-' + megahertz(kRadio.highestHz) + QStringLiteral(" MHz");
}

QString RadioName() { return TextOf(kRadio.name); }

QString ChannelRangeText() { return QString::number(kRadio.firstChannel) + u'-' + QString::number(kRadio.lastChannel); }

QString ChoicesText(const QStringList& choices)
{
    if (choices.size() < 2)
        return choices.join(QString());
    return choices.first(choices.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + choices.last();
}

QString ChannelName(int channel)
{
    return kRadio.isScanEdge(channel) ? TextOf(kRadio.scanEdgeName(channel)) : QString::number(channel);
}

QStringList NumbersUpTo(int count)
{
    QStringList numbers;
    for (int number = 1; number <= count; ++number)
        numbers << QString::number(number);
    return numbers;
}

QString FormatFrequency(int p4, int p3, int p2)
{
    QString text;
    AppendTwoDigits(text, p4);
    text.append(u'.');
    AppendTwoDigits(text, p3);
    const int tens = p2 / 10;
    text.append(QChar(48 + tens));
    text.append(u'.');
    text.append(QChar(48 + (p2 - 10 * tens)));
    return text;
}

QString FrequencyText(std::int64_t hz)
{
    const auto pair = [hz](std::int64_t unit) { return static_cast<int>(hz / unit % 100); };
    return FormatFrequency(pair(1'000'000), pair(10'000), pair(100));
}

QString SquelchText(int value)
{
    return value == 0 ? QStringLiteral("Squelch is Closed") : value == 1 ? QStringLiteral("Squelch is Open") : QString();
}

QString FormatTime(int hours, int minutes)
{
    QString text;
    AppendTwoDigits(text, hours);
    text.append(u':');
    AppendTwoDigits(text, minutes);
    return text;
}

QString BytesToText(const QByteArray& bytes, bool hex)
{
    QString text;
    text.reserve(bytes.size() * 4);
    for (char c : bytes) {
        const auto value = static_cast<unsigned char>(c);
        text.append(u' ');
        text.append(QString::number(value, hex ? 16 : 10).toUpper());
    }
    return text;
}

QString ModeName(int code)
{
    const RadioMode* mode = kRadio.mode(code);
    return mode ? TextOf(mode->name) : QString();
}

QString FilterName(int code)
{
    return kRadio.holdsFilter(code) ? QStringLiteral("Fil ") + QString::number(code) : QString();
}

std::optional<int> ModeCode(const QString& name)
{
    for (const RadioMode& mode : kRadio.modes) {
        if (name.compare(TextOf(mode.name), Qt::CaseInsensitive) == 0)
            return mode.code;
    }
    return std::nullopt;
}

QStringList ModeNames()
{
    QStringList names;
    for (const RadioMode& mode : kRadio.modes)
        names << TextOf(mode.name);
    return names;
}

}  // namespace talvex
