#include "port_path.h"

#include <QDir>
#include <QFileInfo>

namespace talvex {

QString ResolvePortPath(int portNumber, const QString& workingDirectory)
{
    if (portNumber <= 0)
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(workingDirectory);
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QString local = QDir(workingDirectory).filePath(QStringLiteral("COM%1").arg(portNumber));
    if (QFileInfo::exists(local))
        return QFileInfo(local).canonicalFilePath();
    const QString usb = QStringLiteral("/dev/ttyUSB%1").arg(portNumber - 1);
    if (QFileInfo::exists(usb))
        return usb;
    return {};
#endif
}

QString PortPlacesLooked(int portNumber, const QString& workingDirectory)
{
#ifdef Q_OS_WIN
    Q_UNUSED(workingDirectory);
    return QStringLiteral("no COM%1").arg(portNumber);
#else
    return QStringLiteral("no COM%1 in %2, no /dev/ttyUSB%3").arg(portNumber).arg(workingDirectory).arg(portNumber - 1);
#endif
}

}  // namespace talvex
