#include "memory_test_support.h"

namespace talvex::testing {

namespace {

char Bcd(int value) { return static_cast<char>(((value / 10) << 4) | (value % 10)); }

}  // namespace

QByteArray ContentsOf(const RadioChannel& c)
{
    QByteArray bytes;
    bytes += Bcd(c.channel / 100);
    bytes += Bcd(c.channel % 100);
    bytes += static_cast<char>(c.selected ? 0x01 : 0x00);
    const QString hz = (c.digits + QStringLiteral("00")).rightJustified(10, u'0');
    QByteArray set;
    for (int pair = 4; pair >= 0; --pair)
        set += Bcd(hz.mid(pair * 2, 2).toInt());
    set += static_cast<char>(c.mode);
    set += static_cast<char>(c.filter);
    set += QByteArray::fromHex("00001000001000");
    bytes += set + set;
    bytes += c.label.leftJustified(10, u' ', true).toLatin1();
    return bytes;
}

QByteArray MemoryReadExchange(const RadioChannel& c)
{
    QByteArray request = Hex("FE FE 94 E0 1A 00");
    request += Bcd(c.channel / 100);
    request += Bcd(c.channel % 100);
    request += static_cast<char>(0xFD);
    QByteArray answer = Hex("FE FE E0 94 1A 00");
    if (c.digits.isEmpty()) {
        answer += Bcd(c.channel / 100);
        answer += Bcd(c.channel % 100);
        answer += static_cast<char>(0xFF);
    } else {
        answer += ContentsOf(c);
    }
    answer += static_cast<char>(0xFD);
    return request + answer;
}

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

QStringList OpenProgram::tick(int number)
{
    memoryTimer(number).fire();
    return FramesOf(port.takeWritten());
}

}  // namespace talvex::testing
