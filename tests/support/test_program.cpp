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
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    QList<QByteArray> pieces = bytes.split('\xFD');
    pieces.removeLast();  // not ended by FD: no frame yet
    for (const QByteArray& piece : pieces) {
        if (const qsizetype at = piece.indexOf(Hex("FE FE 94 E0")); at >= 0)
            frames << QString::fromLatin1(piece.mid(at + 4).toHex(' ').toUpper());
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

ManualTimer& OpenProgram::memoryTimer(Step step) const
{
    return static_cast<ManualTimer&>(program->memory.timer(step));
}

void OpenProgram::closeAnswerWindow()
{
    if (timer2().isEnabled())
        timer2().fire();
}

QStringList OpenProgram::tick(Step step)
{
    closeAnswerWindow();
    memoryTimer(step).fire();
    const QByteArray written = port.takeWritten();
    port.receive(overTheLine(written));
    return FramesOf(written);
}

}  // namespace talvex::testing
