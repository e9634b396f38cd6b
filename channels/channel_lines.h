#pragma once

// Data-file channel lines as values: what a line's zones say, and the line that says it,
// exactly as Create File writes it (the seventh zone when the channel carries its record).

#include "link/memory_record.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <optional>

namespace talvex::channels {

struct LineFields {
    int channel = 0;
    std::int64_t hz = 0;  // to 100 Hz, as the zone shows it
    int mode = 0;
    std::optional<int> filter;  // an empty zone, which a memory write takes as filter 2
    bool selected = false;
    QString label;                       // ten characters
    std::optional<MemoryRecord> record;  // the seventh zone, when it holds this channel's record
    friend bool operator==(const LineFields&, const LineFields&) = default;
};

// The zones of a programmed channel line, or nothing for any other line (heading, comment,
// blank channel, END) and for fields a memory write would refuse.
std::optional<LineFields> LineFieldsOf(const QString& line);

// What the zones of a line written from `record` show, and the record with it.
LineFields LineFieldsOfRecord(int channel, const MemoryRecord& record);

// The visible zones show what the seventh zone holds.
bool ZonesShowRecord(const LineFields& fields);

QString LineOf(const LineFields& fields);
QString BlankChannelLine(int channel);

// A whole data file: title and heading, the channels (with `full`, all 99, the absent ones as
// blank lines), heading and END.
QStringList DataFileLines(const QString& title, const std::map<int, QString>& channelLines, bool full);

}  // namespace talvex::channels
