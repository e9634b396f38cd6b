#include "datafile/record_zone.h"

#include <algorithm>

namespace talvex {

namespace {

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

}  // namespace

std::optional<MemoryRecord> RecordZoneOf(const QString& line)
{
    // Exactly from column 85: digits anywhere else are not the record the backup wrote.
    QString zone = line.mid(kRecordZoneColumn - 1);
    while (zone.endsWith(u' '))
        zone.chop(1);
    if (zone.size() != 2 * record::kSize || !std::all_of(zone.begin(), zone.end(), IsHexDigit))
        return std::nullopt;
    return MemoryRecord::from(QByteArray::fromHex(zone.toLatin1()));
}

QString WithRecordZone(const QString& line, const MemoryRecord& record)
{
    return line.left(kRecordZoneColumn - 1).leftJustified(kRecordZoneColumn - 1, u' ')
        + QString::fromLatin1(record.bytes().toHex().toUpper());
}

}  // namespace talvex
