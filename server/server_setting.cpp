#include "server_setting.h"

#include "platform/text_file.h"

#include <QDir>

namespace talvex::server {

namespace {
const QString kKey = QStringLiteral("[RigServer]");
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

}  // namespace talvex::server
