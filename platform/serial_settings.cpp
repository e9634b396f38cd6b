#include "serial_settings.h"

#include <QStringList>

namespace talvex {

namespace {

std::optional<int> ParsePositive(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0 || text.startsWith(u'+'))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<SerialSettings> ParseSerialSettings(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;

    SerialSettings settings;
    const auto baud = ParsePositive(parts[0]);
    if (!baud || *baud < 50 || *baud > 4'000'000)
        return std::nullopt;
    settings.baudRate = *baud;

    const QString parity = parts[1].toUpper();
    if (parity == u"N")
        settings.parity = Parity::None;
    else if (parity == u"E")
        settings.parity = Parity::Even;
    else if (parity == u"O")
        settings.parity = Parity::Odd;
    else
        return std::nullopt;

    if (parts[2] == u"7")
        settings.dataBits = 7;
    else if (parts[2] == u"8")
        settings.dataBits = 8;
    else
        return std::nullopt;

    if (parts[3] == u"1")
        settings.stopBits = 1;
    else if (parts[3] == u"2")
        settings.stopBits = 2;
    else
        return std::nullopt;

    return settings;
}

int LineTimeMs(int byteCount, int baudRate)
{
    if (baudRate <= 0 || byteCount <= 0)
        return 0;
    // Ten bits a byte; rounded up so a partial millisecond still counts.
    const long long bits = 10LL * byteCount;
    return static_cast<int>((bits * 1000 + baudRate - 1) / baudRate);
}

}  // namespace talvex
