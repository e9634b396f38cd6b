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

}  // namespace talvex::testing
