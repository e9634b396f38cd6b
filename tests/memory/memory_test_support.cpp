#include "memory_test_support.h"

namespace talvex::testing {

namespace {

char Bcd(int value) { return static_cast<char>(((value / 10) << 4) | (value % 10)); }

}  // namespace

RadioChannel SampleChannel(int n)
{
    RadioChannel c;
    c.channel = n;
    if (n % 10 == 0)
        return c;
    const int modes[] = {0, 1, 2, 3, 4, 5, 7, 8};
    c.digits = QStringLiteral("%1%2%3").arg(n % 30 + 1, 2, 10, QChar(u'0')).arg(n * 7 % 1000, 3, 10, QChar(u'0')).arg(n % 10);
    c.mode = modes[n % 8];
    c.filter = n % 3 + 1;
    c.label = QStringLiteral("CH %1").arg(n);
    return c;
}

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
