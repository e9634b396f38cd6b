#include "link/memory_record.h"

namespace talvex {

std::optional<MemoryRecord> MemoryRecord::from(const QByteArray& bytes)
{
    if (bytes.size() != record::kSize)
        return std::nullopt;
    return MemoryRecord(bytes);
}

QByteArray MemoryRecord::frequencyTo100Hz() const
{
    QByteArray cut = frequency();
    cut[0] = '\0';
    return cut;
}

VisibleFields MemoryRecord::visible() const
{
    return {frequencyTo100Hz(), mode(), filter(), select() != 0, label()};
}

void MemoryRecord::setFrequency(const QByteArray& fiveBytes)
{
    bytes_.replace(record::kFirstSet + record::kFrequency, record::kFrequencySize, fiveBytes.left(record::kFrequencySize));
}

void MemoryRecord::clearDataMode()
{
    const int at = record::kFirstSet + record::kDataTone;
    setByte(at, byte(at) & 0x0F);
}

void MemoryRecord::setLabel(const QString& tenCharacters)
{
    bytes_.replace(record::kName, record::kNameSize, tenCharacters.leftJustified(record::kNameSize, u' ', true).toLatin1());
}

MemoryRecord BlankChannelRecord(const QByteArray& channelField, const VisibleFields& fields)
{
    const QByteArray toneAndSquelch = QByteArray::fromHex("00001000001000");  // no data, no tone, 100.0 Hz twice
    QByteArray set = fields.frequency.left(record::kFrequencySize).leftJustified(record::kFrequencySize, '\0');
    set += static_cast<char>(fields.mode);
    set += static_cast<char>(fields.filter);
    set += toneAndSquelch;
    QByteArray bytes = channelField.left(2);
    bytes += static_cast<char>(fields.selected ? 1 : 0);
    bytes += set;
    bytes += set;
    bytes += fields.label.leftJustified(record::kNameSize, u' ', true).toLatin1();
    return *MemoryRecord::from(bytes);
}

bool ModeCarriesData(int mode)
{
    const RadioMode* known = kRadio.mode(mode);
    return known && known->carriesData;
}

}  // namespace talvex
