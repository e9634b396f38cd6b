// Nothing is lost on the way out and back: a data file comes back byte for byte, a record
// comes back byte for byte, whatever it holds.

#include "channels/chirp_export.h"
#include "channels/chirp_import.h"
#include "channels/record_fields.h"
#include "datafile/data_file_frame.h"
#include "datafile/record_zone.h"
#include "tests/channels/expected_lines.h"
#include "tests/support/sim_memory.h"

#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>

namespace talvex::channels {
namespace {

QStringList FileLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the last line's CR LF
    return lines;
}

QStringList ThereAndBack(const QStringList& dataFile, const QString& title)
{
    ImportOptions full;
    full.full = true;
    full.title = title;
    const ImportResult back = ImportChirpCsv(ChirpCsvOfDataFile(dataFile), full);
    EXPECT_FALSE(back.changed()) << back.report.front().shown().toStdString();
    return back.lines;
}

const QString kSource = QStringLiteral(TALVEX_SOURCE_DIR);

TEST(ChannelsRoundTrip, CreateFilesDataFileComesBackByteForByte)
{
    const QStringList demo = FileLines(kSource + QStringLiteral("/demo/TALVEX.TXT"));
    ASSERT_EQ(demo.size(), 106);
    EXPECT_EQ(ThereAndBack(demo, QStringLiteral("TALVEX.TXT")), demo);
}

// A backup's lines: each channel as Create File writes it, with its whole record after it.
QStringList BackupOf(const testing::Memory& memory)
{
    QStringList lines = DataFileHead(QStringLiteral("BACKUP.TXT"));
    for (int channel = 1; channel <= 99; ++channel) {
        const QByteArray bytes = memory.count(channel) ? memory.at(channel) : QByteArray();
        const QString line = testing::ExpectedLine(channel, bytes);
        lines << (bytes.isEmpty() ? line : WithRecordZone(line, *MemoryRecord::from(bytes)));
    }
    return lines + DataFileTail();
}

TEST(ChannelsRoundTrip, ABackupWithRecordsAndEditedLinesComesBackByteForByte)
{
    QStringList backup = BackupOf(testing::ReadMemory(kSource + QStringLiteral("/tests/support/rich-memory.txt")));
    // The operator edited channel 5's frequency and channel 11's label by hand; their records
    // stay beside them for Update Rig's merge, and so through the CSV.
    backup[3 + 4].replace(14, 8, QStringLiteral("14.080.0"));
    backup[3 + 10].replace(70, 10, QStringLiteral("EDITED    "));
    EXPECT_EQ(ThereAndBack(backup, QStringLiteral("BACKUP.TXT")), backup);
}

// Records with all the radio holds beyond the visible zones, after the rich demo memory
// (channel 85 holds a repeater tone of 150.0 Hz, which no list has).
std::vector<MemoryRecord> AwkwardRecords()
{
    std::vector<MemoryRecord> records;
    for (const auto& [channel, bytes] : testing::ReadMemory(kSource + QStringLiteral("/tests/support/rich-memory.txt"))) {
        if (!bytes.isEmpty() && channel != 20 && channel != 21 && channel != 22 && channel != 98)
            records.push_back(*MemoryRecord::from(bytes));
    }
    for (const char* hex : {
             // USB-D1 on 14.074.123, filter 1
             "0020002341071400010110001000001000234107140001011000100000100046543820444154412020",
             // split: USB receive, LSB filter 1 transmit elsewhere; select group 3
             "0021030050191400010200001000001000005022140000010000100000100053504C4954204F444420",
             // FM-D3 with Tone 88.5 on 29.620.010; select group 2
             "0022021000622900050131000885001000100062290005013100088500100052505420443320202020",
             // 30 kHz receive, 74.8 MHz transmit, the first and last tones of the list
             "0098010000030000020300000670002541000080740002030000067000254145444745532020202020"})
        records.push_back(*MemoryRecord::from(QByteArray::fromHex(hex)));
    std::sort(records.begin(), records.end(),
              [](const MemoryRecord& a, const MemoryRecord& b) { return a.channelField() < b.channelField(); });
    return records;
}

TEST(ChannelsRoundTrip, RecordsComeBackByteForByte)
{
    const std::vector<MemoryRecord> records = AwkwardRecords();
    ImportOptions full;
    full.full = true;
    const ImportResult back = ImportChirpCsv(ChirpCsvOfRecords(records), full);
    EXPECT_FALSE(back.changed());
    ASSERT_EQ(back.lines.size(), 106);
    std::size_t next = 0;
    for (int channel = 1; channel <= 99; ++channel) {
        const QString& line = back.lines[2 + channel];
        const bool held = next < records.size() && records[next].channelField() == ChannelBytesOf(channel);
        if (!held) {
            EXPECT_EQ(line, QStringLiteral(" %1 ").arg(channel).leftJustified(70)) << channel;
            continue;
        }
        const auto record = RecordZoneOf(line);
        ASSERT_TRUE(record) << channel;
        EXPECT_EQ(record->bytes().toHex().toStdString(), records[next].bytes().toHex().toStdString()) << channel;
        ++next;
    }
    EXPECT_EQ(next, records.size());
}

TEST(ChannelsRoundTrip, RenumberedRowsTakeTheirWholeRecordToTheirNewChannel)
{
    // Update Rig writes a line's record into the line's channel: its channel bytes must name the
    // new channel, and every other byte stay the row's own (tones, split, data mode, hertz).
    const std::vector<MemoryRecord> records = AwkwardRecords();
    ImportOptions renumber;
    renumber.renumber = true;
    renumber.firstChannel = 40;
    const QStringList lines = testing::ChannelLinesOf(ImportChirpCsv(ChirpCsvOfRecords(records), renumber));
    ASSERT_EQ(lines.size(), 60);
    for (int i = 0; i < 60; ++i) {
        QByteArray expected = records[i].bytes();
        expected.replace(0, 2, QByteArray::fromHex(QByteArray::number(40 + i).rightJustified(4, '0')));
        EXPECT_EQ(lines[i].mid(kRecordZoneColumn - 1).toStdString(), expected.toHex().toUpper().toStdString()) << 40 + i;
    }
}

TEST(ChannelsRoundTrip, CHIRPsOwnColumnsAloneKeepHertzTonesAndSplit)
{
    // CHIRP saves a file again with only its columns: filter, data mode and select group are
    // gone then, the rest survives.
    const auto record = *MemoryRecord::from(QByteArray::fromHex(
        "0022021000622900050131000885001000100052290005013100088500100052505420443320202020"));
    QStringList header = kColumnNames.mid(0, kFilter);
    ChirpRow row = ChirpRowOfRecord(record).mid(0, kFilter);
    const QString csv = header.join(u',') + u'\n' + row.join(u',') + u'\n';
    const ImportResult back = ImportChirpCsv(csv.toUtf8(), {});
    ASSERT_EQ(back.channels, 1);
    const auto kept = RecordZoneOf(back.lines[3]);
    ASSERT_TRUE(kept);
    // Filter 2, no data mode, no select group; the hertz, the tone and the split as they were.
    EXPECT_EQ(kept->bytes().toHex().toUpper().toStdString(),
              "0022001000622900050201000885001000100052290005020100088500100052505420443320202020");
}

}  // namespace
}  // namespace talvex::channels
