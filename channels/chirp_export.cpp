#include "channels/chirp_export.h"

#include "channels/channel_lines.h"
#include "channels/csv_text.h"
#include "channels/record_fields.h"
#include "link/format.h"
#include "link/radio_model.h"

namespace talvex::channels {

namespace {

// CHIRP's defaults for what the radio has no setting of: its reader insists on a DTCS code
// from its list, a polarity and a tuning step from its list; Power is the radio's full power.
ChirpRow DefaultRow()
{
    ChirpRow row(kColumnCount);
    row[kOffset] = MegahertzText(0);
    row[kRToneFreq] = row[kCToneFreq] = QStringLiteral("88.5");
    row[kDtcsCode] = row[kRxDtcsCode] = QStringLiteral("023");
    row[kDtcsPolarity] = QStringLiteral("NN");
    row[kCrossMode] = QStringLiteral("Tone->Tone");
    row[kTStep] = QStringLiteral("5.00");
    row[kPower] = QStringLiteral("50W");
    return row;
}

QString NameText(QString label)
{
    while (label.endsWith(u' '))
        label.chop(1);
    return label;
}

QString ToneTypeText(int toneType)
{
    return toneType == 1 ? QStringLiteral("Tone") : toneType == 2 ? QStringLiteral("TSQL") : QString();
}

// CHIRP's reader refuses a row with a tone outside its list, even one no tone mode uses; such an
// unused tone is written as its default (the record column keeps it).
QString ToneColumn(int tenths, bool used)
{
    return used || kRadio.holdsTone(tenths) ? ToneText(tenths) : QStringLiteral("88.5");
}

// The visible zones of a line without its record: tones, data mode and split are the radio's,
// which the line does not hold, so their columns stay at CHIRP's defaults and the data mode empty.
ChirpRow RowOfZones(const LineFields& fields)
{
    ChirpRow row = DefaultRow();
    row[kLocation] = QString::number(fields.channel);
    row[kName] = NameText(fields.label);
    row[kFrequency] = MegahertzText(fields.hz);
    row[kMode] = ModeName(fields.mode).toUpper();
    row[kFilter] = fields.filter ? QString::number(*fields.filter) : QString();
    row[kSelectGroup] = fields.selected ? QStringLiteral("1") : QStringLiteral("0");
    return row;
}

QByteArray CsvOf(const std::vector<ChirpRow>& rows)
{
    QString text = CsvRowText(kColumnNames);
    for (const ChirpRow& row : rows)
        text += CsvRowText(row);
    return EncodeUtf8(text);
}

}  // namespace

QString MegahertzText(std::int64_t hz)
{
    // Negative only in a report: a shift below zero.
    const QString sign = hz < 0 ? QStringLiteral("-") : QString();
    hz = hz < 0 ? -hz : hz;
    return sign + QString::number(hz / 1'000'000) + u'.' + QString::number(hz % 1'000'000).rightJustified(6, u'0');
}

QString ToneText(int tenths) { return QString::number(tenths / 10) + u'.' + QString::number(tenths % 10); }

ChirpRow ChirpRowOfRecord(const MemoryRecord& record)
{
    const RecordFields fields = FieldsOf(record);
    ChirpRow row = DefaultRow();
    row[kLocation] = QString::number(ChannelOf(record));
    row[kName] = NameText(fields.name);
    row[kFrequency] = MegahertzText(fields.receive.hz);
    if (record.isSplit()) {
        row[kDuplex] = QStringLiteral("split");
        row[kOffset] = MegahertzText(fields.transmit.hz);
    }
    row[kTone] = ToneTypeText(fields.receive.toneType);
    row[kRToneFreq] = ToneColumn(fields.receive.repeaterTone, fields.receive.toneType == 1);
    row[kCToneFreq] = ToneColumn(fields.receive.squelchTone, fields.receive.toneType == 2);
    row[kMode] = ModeName(fields.receive.mode).toUpper();
    row[kFilter] = QString::number(fields.receive.filter);
    row[kDataMode] = QString::number(fields.receive.dataMode);
    row[kSelectGroup] = QString::number(fields.select);
    row[kRecord] = QString::fromLatin1(record.bytes().toHex().toUpper());
    return row;
}

std::optional<ChirpRow> ChirpRowOfLine(const QString& line)
{
    const auto fields = LineFieldsOf(line);
    if (!fields)
        return std::nullopt;
    if (ZonesShowRecord(*fields))
        return ChirpRowOfRecord(*fields->record);
    ChirpRow row = RowOfZones(*fields);
    // An edited line keeps its record beside it, as the file does, for Update Rig's merge.
    if (fields->record)
        row[kRecord] = QString::fromLatin1(fields->record->bytes().toHex().toUpper());
    return row;
}

QByteArray ChirpCsvOfRecords(const std::vector<MemoryRecord>& records)
{
    std::vector<ChirpRow> rows;
    for (const MemoryRecord& record : records)
        rows.push_back(ChirpRowOfRecord(record));
    return CsvOf(rows);
}

QByteArray ChirpCsvOfDataFile(const QStringList& lines)
{
    std::vector<ChirpRow> rows;
    for (const QString& line : lines) {
        if (auto row = ChirpRowOfLine(line))
            rows.push_back(*row);
    }
    return CsvOf(rows);
}

}  // namespace talvex::channels
