#include "configuration.h"

#include "platform/text_file.h"

#include <QFileInfo>

namespace talvex {

namespace {

QString ValueAfterKey(const QString& line)
{
    QString value = line.mid(11);
    while (value.endsWith(u' ') || value.endsWith(u'\r') || value.endsWith(u'\t'))
        value.chop(1);
    return value;
}

}  // namespace

ConfigurationValues ParseConfiguration(const QStringList& lines)
{
    ConfigurationValues values;
    for (const QString& line : lines) {
        values.lastLine = line;
        const QString key = line.left(11);
        if (key == u"[DeftFile] ")
            values.deftFile = ValueAfterKey(line);
        else if (key == u"[CallSign] ")
            values.callSign = ValueAfterKey(line);
        else if (key == u"[CommPort] ")
            values.commPort = ValueAfterKey(line);
        else if (key == u"[CommBaud] ")
            values.commBaud = ValueAfterKey(line);
    }
    return values;
}

QStringList ConfigurationLines(const QString& deftFile, const QString& callSign,
                               const QString& commPort, const QString& commBaud)
{
    return {
        QStringLiteral("TALVEX CONFIGURATION FILE (TALVEX.INI)"),
        QStringLiteral(" "),
        QStringLiteral("[DeftFile] ") + deftFile,
        QStringLiteral("[CallSign] ") + callSign,
        QStringLiteral("[CommPort] ") + commPort,
        QStringLiteral("[CommBaud] ") + commBaud,
        QStringLiteral(" "),
        QStringLiteral("END"),
    };
}

bool IsConfigurationFile(const QString& path, const QString& workingDirectory)
{
    const QFileInfo file(path);
    if (file.fileName().compare(kConfigFileName, Qt::CaseInsensitive) == 0)
        return true;
    const QFileInfo config(JoinPath(workingDirectory, kConfigFileName));
    return file.exists() && config.exists() && file.canonicalFilePath() == config.canonicalFilePath();
}

int PortNumber(const QString& commPort)
{
    // The number starts at the fourth character, as "COM3" always gave 3.
    int number = 0;
    int digits = 0;
    for (qsizetype i = 3; i < commPort.size() && commPort[i] >= u'0' && commPort[i] <= u'9'; ++i) {
        if (++digits > 6)
            return 0;
        number = number * 10 + (commPort[i].unicode() - u'0');
    }
    return number;
}

}  // namespace talvex
