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

QStringList FramesOf(const QByteArray& bytes)
{
    QStringList frames;
    const QByteArray prefix = Hex("FE FE 94 E0");
    qsizetype at = bytes.indexOf(prefix);
    while (at >= 0) {
        const qsizetype end = bytes.indexOf(static_cast<char>(0xFD), at);
        if (end < 0)
            break;
        frames << QString::fromLatin1(bytes.mid(at + 4, end - at - 4).toHex(' ').toUpper());
        at = bytes.indexOf(prefix, end);
    }
    return frames;
}

OpenProgram::OpenProgram()
{
    program->state.ConfigCommPort = QStringLiteral("COM1");
    program->state.ConfigCommBaud = QStringLiteral("19200,N,8,1");
    program->startup.OpenSerialPort();
    port.takeWritten();
}

ManualTimer& OpenProgram::memoryTimer(int number) const
{
    return static_cast<ManualTimer&>(program->memory.timer(number));
}

void OpenProgram::closeAnswerWindow()
{
    if (timer2().isEnabled())
        timer2().fire();
}

QStringList OpenProgram::tick(int number)
{
    closeAnswerWindow();
    memoryTimer(number).fire();
    const QByteArray written = port.takeWritten();
    port.receive(radio.answer(written));
    return FramesOf(written);
}

}  // namespace talvex::testing
