#include "channels/record_fields.h"

namespace talvex::channels {

namespace {

int Byte(const QByteArray& bytes, int at) { return static_cast<std::uint8_t>(bytes[at]); }
int High(int byte) { return byte >> 4; }
int Low(int byte) { return byte & 0x0F; }
char PackedDigits(int value) { return static_cast<char>(((value / 10) % 10) << 4 | (value % 10)); }

SettingsFields SetOf(const QByteArray& bytes, int at)
{
    SettingsFields set;
    set.hz = HzOfFrequencyBytes(bytes.mid(at + record::kFrequency, record::kFrequencySize));
    set.mode = Byte(bytes, at + record::kMode);
    set.filter = Byte(bytes, at + record::kFilter);
    set.dataMode = High(Byte(bytes, at + record::kDataTone));
    set.toneType = Low(Byte(bytes, at + record::kDataTone));
    set.repeaterTone = ToneTenthsOf(bytes.mid(at + record::kRepeaterTone, record::kToneSize));
    set.squelchTone = ToneTenthsOf(bytes.mid(at + record::kSquelchTone, record::kToneSize));
    return set;
}

void PutChanges(QByteArray& bytes, int at, const SettingsFields& before, const SettingsFields& after)
{
    if (after.hz != before.hz)
        bytes.replace(at + record::kFrequency, record::kFrequencySize, FrequencyBytesOf(after.hz));
    if (after.mode != before.mode)
        bytes[at + record::kMode] = static_cast<char>(after.mode);
    if (after.filter != before.filter)
        bytes[at + record::kFilter] = static_cast<char>(after.filter);
    const int dataTone = at + record::kDataTone;
    if (after.dataMode != before.dataMode)
        bytes[dataTone] = static_cast<char>(after.dataMode << 4 | Low(Byte(bytes, dataTone)));
    if (after.toneType != before.toneType)
        bytes[dataTone] = static_cast<char>((Byte(bytes, dataTone) & 0xF0) | after.toneType);
    if (after.repeaterTone != before.repeaterTone)
        bytes.replace(at + record::kRepeaterTone, record::kToneSize, ToneBytesOf(after.repeaterTone));
    if (after.squelchTone != before.squelchTone)
        bytes.replace(at + record::kSquelchTone, record::kToneSize, ToneBytesOf(after.squelchTone));
}

}  // namespace

RecordFields FieldsOf(const MemoryRecord& record)
{
    return {record.select(), SetOf(record.bytes(), record::kFirstSet), SetOf(record.bytes(), record::kSecondSet),
            record.label()};
}

MemoryRecord WithChanges(const MemoryRecord& record, const RecordFields& before, const RecordFields& after)
{
    QByteArray bytes = record.bytes();
    if (after.select != before.select)
        bytes[record::kSelect] = static_cast<char>(after.select);
    PutChanges(bytes, record::kFirstSet, before.receive, after.receive);
    PutChanges(bytes, record::kSecondSet, before.transmit, after.transmit);
    MemoryRecord changed = *MemoryRecord::from(bytes);
    if (after.name != before.name)
        changed.setLabel(after.name);
    return changed;
}

std::int64_t HzOfFrequencyBytes(const QByteArray& fiveBytes)
{
    std::int64_t hz = 0;
    for (int i = static_cast<int>(fiveBytes.size()) - 1; i >= 0; --i)
        hz = hz * 100 + High(Byte(fiveBytes, i)) * 10 + Low(Byte(fiveBytes, i));
    return hz;
}

QByteArray FrequencyBytesOf(std::int64_t hz)
{
    QByteArray bytes;
    for (int i = 0; i < record::kFrequencySize; ++i, hz /= 100)
        bytes += PackedDigits(static_cast<int>(hz % 100));
    return bytes;
}

int ToneTenthsOf(const QByteArray& threeBytes)
{
    int tenths = 0;
    for (int i = 0; i < threeBytes.size(); ++i)
        tenths = tenths * 100 + High(Byte(threeBytes, i)) * 10 + Low(Byte(threeBytes, i));
    return tenths;
}

QByteArray ToneBytesOf(int tenths)
{
    return QByteArray(1, PackedDigits(tenths / 10000)) + PackedDigits(tenths / 100) + PackedDigits(tenths);
}

QByteArray ChannelBytesOf(int channel)
{
    return QByteArray(1, PackedDigits(channel / 100)) + PackedDigits(channel);
}

int ChannelOf(const MemoryRecord& record) { return ToneTenthsOf(record.channelField()); }  // both big-endian BCD

}  // namespace talvex::channels
