#pragma once

// Data files for the editor's tests, written as Create File writes them.

#include "datafile/data_file_frame.h"
#include "datafile/data_line.h"
#include "datafile/record_zone.h"

#include <QStringList>

#include <ostream>

#ifndef TALVEX_TEST_PRINTS_QSTRING
#define TALVEX_TEST_PRINTS_QSTRING
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
#endif

namespace talvex::editor::testing {

inline QString Channel(int channel, const char* frequency, const char* mode, int filter, bool selected, const char* label)
{
    return FormatDataLine({channel, QString::fromLatin1(frequency), QString::fromLatin1(mode),
                           QStringLiteral("Fil ") + QString::number(filter), selected ? QStringLiteral("Yes") : QStringLiteral("   "),
                           QString::fromLatin1(label).leftJustified(10, u' ')});
}

// The row of channel 1 in CreateFileLines: after the title, the heading and an empty line.
inline constexpr int kFirstChannelRow = 3;

inline QString Blank(int channel) { return FormatDataLine({channel, QString(), QString(), QString(), QString(), QString()}); }

// A whole file: the head, channels 1-99 (the first ones as given, the rest blank), the tail;
// written out, not read from the radio's description, as an oracle of its own.
inline QStringList CreateFileLines(const QStringList& firstChannels)
{
    QStringList lines = DataFileHead(QStringLiteral("TALVEX.TXT"));
    for (int channel = 1; channel <= 99; ++channel)
        lines << (channel <= firstChannels.size() ? firstChannels[channel - 1] : Blank(channel));
    return lines + DataFileTail();
}

// 41 bytes of channel `channel` with data mode D1, TSQL 88.5/100.0 Hz, group 2, split to 14.230.0.
inline QByteArray RichRecord(int channel)
{
    QByteArray bytes = QByteArray::fromHex("00");
    bytes += static_cast<char>((channel / 10) << 4 | channel % 10);
    bytes += '\x02';
    bytes += QByteArray::fromHex("0040071400" "01" "02" "12" "000885" "001000");
    bytes += QByteArray::fromHex("0000231400" "01" "02" "12" "000885" "001000");
    bytes += QByteArray("FT8 CALL  ");
    return bytes;
}

}  // namespace talvex::editor::testing
