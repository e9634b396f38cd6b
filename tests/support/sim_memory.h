#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <map>

namespace talvex::testing {

// The simulator's memory: channel -> the 41 bytes a memory read answers; empty for a blank one.
using Memory = std::map<int, QByteArray>;

// The demo memory of 99 channels shipped in `demoDirectory`.
inline QString DemoMemoryPath(const char* demoDirectory)
{
    return QString::fromLocal8Bit(demoDirectory) + QStringLiteral("/sim-memory.txt");
}

// The simulator's memory file: "ch N: 00 01 ..." or "ch N: blank".
inline Memory ReadMemory(const QString& path)
{
    Memory memory;
    QFile file(path);
    for (const QByteArray& raw : file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>()) {
        const QByteArray line = raw.trimmed();
        const auto colon = line.indexOf(':');
        if (line.startsWith("ch "))
            memory[line.mid(3, colon - 3).toInt()] = line.endsWith("blank") ? QByteArray() : QByteArray::fromHex(line.mid(colon + 1));
    }
    return memory;
}

// Writes `memory` as the simulator's memory file; channels it lacks are blank.
inline bool WriteMemory(const QString& path, const Memory& memory)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const auto& [channel, contents] : memory)
        file.write("ch " + QByteArray::number(channel) + ": " + (contents.isEmpty() ? "blank" : contents.toHex(' ')) + "\n");
    return true;
}

// The frequency a channel shows ("07.100.0"), empty for a blank channel; from the radio's bytes alone.
inline QString ExpectedFrequency(const QByteArray& c)
{
    const QString hex = c.toHex();
    return c.isEmpty() ? QString() : hex.mid(12, 2) + u'.' + hex.mid(10, 2) + hex[8] + u'.' + hex[9];
}

// The data-file line a channel is written as, worked out from the radio's bytes alone.
inline QString ExpectedLine(int channel, const QByteArray& c)
{
    const QString number = QStringLiteral(" %1 ").arg(channel);
    if (c.isEmpty())
        return number.leftJustified(70, u' ');
    const std::map<int, QString> modes{{0, "LSB"}, {1, "USB"}, {2, "AM"}, {3, "CW"}, {4, "RTTY"}, {5, "FM"}, {7, "CWr"}, {8, "RTTYr"}};
    QString line;
    for (const QString& zone : {number, ExpectedFrequency(c), modes.at(c[8]), QStringLiteral("Fil %1").arg(int(c[9])),
                                c[2] >= 1 && c[2] <= 3 ? QStringLiteral("Yes") : QStringLiteral("   ")})
        line += zone.leftJustified(14, u' ');
    return line + QString::fromLatin1(c.mid(31, 10));
}

// The line with the channel's whole record as 82 hexadecimal digits from column 85, as Create
// File and the backups write it; a blank channel's line has none.
inline QString ExpectedRecordLine(int channel, const QByteArray& c)
{
    const QString line = ExpectedLine(channel, c);
    return c.isEmpty() ? line : line.leftJustified(84, u' ') + QString::fromLatin1(c.toHex().toUpper());
}

// Channels 1-99 as Create File must write them: with their records, or the six zones only. The
// radio's channels are written out here, not read from its description: what the program makes
// of the description is what is checked.
inline QStringList ExpectedChannelLines(const Memory& memory, bool withRecords = true)
{
    QStringList lines;
    for (int channel = 1; channel <= 99; ++channel) {
        const QByteArray held = memory.count(channel) ? memory.at(channel) : QByteArray();
        lines << (withRecords ? ExpectedRecordLine(channel, held) : ExpectedLine(channel, held));
    }
    return lines;
}

}  // namespace talvex::testing
