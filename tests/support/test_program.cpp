#include "test_program.h"

#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QFile>

namespace talvex::testing {

TestProgram::TestProgram()
{
    program = std::make_unique<Program>(
        PlatformServices{port, dialogs, timers, exit, directory.path()}, shell);
}

QString TestProgram::path(const QString& name) const { return JoinPath(directory.path(), name); }

void TestProgram::writeFile(const QString& name, const QStringList& lines) const
{
    WriteLinesAtomically(path(name), lines);
}

QByteArray TestProgram::readFile(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TestProgram::writeConfig(const QString& deftFile, const QString& commBaud, const QString& commPort,
                              const QString& callSign) const
{
    writeFile(kConfigFileName, ConfigurationLines(deftFile, callSign, commPort, commBaud));
}

QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

}  // namespace talvex::testing
