#include "format.h"

#include "radio_model.h"

#include <array>
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

struct ModeEntry {
    int code;
    const char16_t* name;
};

constexpr std::array<ModeEntry, 8> kModes{{
    {0, u"LSB"}, {1, u"USB"}, {2, u"AM"}, {3, u"CW"},
    {4, u"RTTY"}, {5, u"FM"}, {7, u"CWr"}, {8, u"RTTYr"},
}};

}  // namespace

QString MemoryRangeText()
{
    const auto megahertz = [](std::int64_t hz) { return QString::number(static_cast<double>(hz) / 1e6, 'f', 3); };
    return megahertz(kRadio.lowestHz) + u'-' + megahertz(kRadio.highestHz) + QStringLiteral(" MHz");
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
    for (const auto& mode : kModes) {
        if (mode.code == code)
            return QString::fromUtf16(mode.name);
    }
    return {};
}

std::optional<int> ModeCode(const QString& name)
{
    for (const auto& mode : kModes) {
        if (name.compare(QString::fromUtf16(mode.name), Qt::CaseInsensitive) == 0)
            return mode.code;
    }
    return std::nullopt;
}

}  // namespace talvex
