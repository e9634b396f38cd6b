#pragma once

// Channels written as CHIRP's generic CSV. From a record nothing is lost: the columns carry
// what CHIRP can hold and our own columns the rest, the record itself included. From a
// data-file line, what the line holds: its visible zones, and its seventh zone when it has one.

#include "channels/chirp_columns.h"
#include "link/memory_record.h"

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <vector>

namespace talvex::channels {

ChirpRow ChirpRowOfRecord(const MemoryRecord& record);
// Nothing for a line that programs no channel (heading, comment, blank channel, END) or
// whose fields Update Rig would refuse.
std::optional<ChirpRow> ChirpRowOfLine(const QString& line);

// Whole files: the header, then a row a programmed channel, each line ending CR LF.
QByteArray ChirpCsvOfRecords(const std::vector<MemoryRecord>& records);
QByteArray ChirpCsvOfDataFile(const QStringList& lines);

// "14.074000": hertz as megahertz with six decimals, CHIRP's frequency text.
QString MegahertzText(std::int64_t hz);
// "88.5": a tone in tenths of a hertz with one decimal.
QString ToneText(int tenths);

}  // namespace talvex::channels
