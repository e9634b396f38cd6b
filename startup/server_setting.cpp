#include "server_setting.h"

#include "platform/text_file.h"

#include <QDir>

namespace talvex {

namespace {
const QString kKey = QStringLiteral("[RigServer]");
}

std::optional<ServerAddress> ParseServerAddress(const QString& text)
{
    ServerAddress address;
    QString portText = text.trimmed();
    const qsizetype colon = portText.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString host = portText.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        if (host.isEmpty())
            return std::nullopt;
        address.host = host;
        portText = portText.mid(colon + 1);
    }
    bool ok = false;
    const uint port = portText.toUInt(&ok, 10);
    if (!ok || port == 0 || port > 65535 || portText.startsWith(QLatin1Char('+')))
        return std::nullopt;
    address.port = static_cast<std::uint16_t>(port);
    return address;
}

QString ServerAddressText(const ServerAddress& address)
{
    const QString host = address.host.contains(QLatin1Char(':')) ? QLatin1Char('[') + address.host + QLatin1Char(']')
                                                                  : address.host;
    return host + QLatin1Char(':') + QString::number(address.port);
}

std::optional<ServerAddress> ReadServerSetting(const QString& directory)
{
    TextFile file;
    if (file.open(QDir(directory).filePath(kServerSettingFile), FileMode::Input))
        return std::nullopt;
    while (const auto line = file.readLine()) {
        const QString text = line->trimmed();
        if (text.startsWith(kKey))
            return ParseServerAddress(text.mid(kKey.size()).trimmed());
    }
    return std::nullopt;
}

bool WriteServerSetting(const QString& directory, const std::optional<ServerAddress>& address)
{
    TextFile file;
    if (file.open(QDir(directory).filePath(kServerSettingFile), FileMode::Output))
        return false;
    const bool written = file.writeLine(kKey + QLatin1Char(' ') + (address ? ServerAddressText(*address) : QStringLiteral("OFF")));
    file.close();
    return written;
}

}  // namespace talvex
