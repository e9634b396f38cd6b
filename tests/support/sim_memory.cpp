#include "sim_memory.h"

#include <QFile>

namespace talvex::testing {

namespace {

QString Zone(const QString& field) { return field.leftJustified(14, u' '); }

QString Hex(const QByteArray& c, int i)
{
    return QStringLiteral("%1").arg(static_cast<unsigned char>(c[i]), 2, 16, QChar(u'0'));
}

}  // namespace

QString DemoMemoryPath(const char* demoDirectory)
{
    return QString::fromLocal8Bit(demoDirectory) + QStringLiteral("/sim-memory.txt");
}

Memory ReadMemory(const QString& path)
{
    Memory memory;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith("ch "))
            continue;
        const auto colon = line.indexOf(':');
        const int channel = line.mid(3, colon - 3).toInt();
        const QByteArray rest = line.mid(colon + 1).trimmed();
        memory[channel] = rest == "blank" ? QByteArray() : QByteArray::fromHex(rest);
    }
    return memory;
}

QString ExpectedFrequency(const QByteArray& c)
{
    if (c.isEmpty())
        return {};
    const QString b4 = Hex(c, 4);
    return Hex(c, 6) + u'.' + Hex(c, 5) + b4[0] + u'.' + b4[1];
}

QString ExpectedLine(int channel, const QByteArray& c)
{
    const QString number = QStringLiteral(" %1 ").arg(channel);
    if (c.isEmpty())
        return number.leftJustified(70, u' ');
    const std::map<int, QString> modes{{0, "LSB"}, {1, "USB"}, {2, "AM"}, {3, "CW"}, {4, "RTTY"}, {5, "FM"},
                                       {7, "CWr"}, {8, "RTTYr"}};
    const QString select = c[2] == 1 ? QStringLiteral("Yes") : QStringLiteral("   ");
    return Zone(number) + Zone(ExpectedFrequency(c)) + Zone(modes.at(c[8]))
        + Zone(QStringLiteral("Fil %1").arg(int(c[9]))) + Zone(select) + QString::fromLatin1(c.mid(31, 10));
}

QStringList ExpectedChannelLines(const Memory& memory)
{
    QStringList lines;
    for (int channel = 1; channel <= 99; ++channel)
        lines << ExpectedLine(channel, memory.count(channel) ? memory.at(channel) : QByteArray());
    return lines;
}

}  // namespace talvex::testing
