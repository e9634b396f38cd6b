#include "port_names.h"

#include "platform/port_path.h"
#include "startup/configuration.h"

#include <QDir>
#include <QFileInfo>

namespace talvex::cli {

bool ByNumber(const QString& port)
{
    return port.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) && PortNumber(port) > 0;
}

QString DevicePath(const QString& port, const QString& workingDirectory)
{
    const QFileInfo local(QDir(workingDirectory), port);
    return QDir::isRelativePath(port) && local.exists() ? local.absoluteFilePath() : port;
}

QString PortProblem(const PortError& error, const QString& port, const QString& workingDirectory)
{
    switch (error.fault) {
    case PortFault::Missing:
        return ByNumber(port) ? QStringLiteral("no such device (") + PortPlacesLooked(PortNumber(port), workingDirectory) + u')'
                              : QStringLiteral("no such device");
    case PortFault::Busy: return QStringLiteral("busy: another program has it open");
    case PortFault::NoPermission:
        return QStringLiteral("no permission: the user needs read and write access to the device (usually "
                              "membership of the dialout group)");
    case PortFault::Other: break;
    }
    return error.description;
}

}  // namespace talvex::cli
