#include "channels/chirp_import.h"

#include "channels/channel_lines.h"
#include "channels/chirp_row.h"
#include "channels/csv_text.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <algorithm>
#include <map>

namespace talvex::channels {

namespace {

// Where each of our columns stands in the file's rows; -1 where the file has no such column.
std::vector<int> ColumnPlaces(const QStringList& header)
{
    std::vector<int> places(kColumnCount, -1);
    for (int column = 0; column < kColumnCount; ++column)
        places[column] = static_cast<int>(header.indexOf(kColumnNames[column]));
    return places;
}

}  // namespace

ImportResult ImportRows(const std::vector<NumberedRow>& rows, const ImportOptions& options,
                        std::vector<ReportLine> fileReport)
{
    ImportResult result;
    result.report = std::move(fileReport);
    std::map<int, QString> lines;
    std::map<int, int> rowOfChannel;
    int next = options.firstChannel;
    for (const NumberedRow& numbered : rows) {
        const auto report = [&](const QString& text) { result.report.push_back({numbered.line, text}); };
        for (const QString& note : numbered.notes)
            report(note);
        const QString location = numbered.row[kLocation].trimmed();
        const std::optional<int> located = WholeNumberIn(location, kRadio.firstChannel, kRadio.lastChannel);
        if (options.renumber && next > kRadio.lastChannel) {
            report(QStringLiteral("no channel left after ") + QString::number(kRadio.lastChannel)
                   + QStringLiteral(": left out"));
            continue;
        }
        if (!options.renumber && !located) {
            report(QStringLiteral("Location \"") + location + QStringLiteral("\" is outside ") + ChannelRangeText()
                   + QStringLiteral(": left out"));
            continue;
        }
        const int channel = options.renumber ? next : *located;
        if (const auto earlier = rowOfChannel.find(channel); earlier != rowOfChannel.end()) {
            report(QStringLiteral("channel ") + QString::number(channel) + QStringLiteral(" is already row ")
                   + QString::number(earlier->second) + QStringLiteral(": left out"));
            continue;
        }
        const RowLine made = LineOfRow(numbered.row, channel);
        // Only a row that is written moves: the channel named is the one the data file holds.
        if (made.line && located != channel)
            report(QStringLiteral("Location ") + location + QStringLiteral(" written to channel ") + QString::number(channel));
        for (const QString& change : made.changes)
            report(change);
        if (!made.line)
            continue;
        lines[channel] = *made.line;
        rowOfChannel[channel] = numbered.line;
        ++next;
    }
    // In the order of the file; what concerns the file as a whole first.
    std::stable_sort(result.report.begin(), result.report.end(),
                     [](const ReportLine& a, const ReportLine& b) { return a.row < b.row; });
    if (options.strict && result.changed()) {
        result.refused = true;
        result.report.push_back({0, QStringLiteral("nothing written: strict, and the rows above would change")});
        return result;
    }
    result.channels = static_cast<int>(lines.size());
    result.lines = DataFileLines(options.title, lines, options.full);
    if (options.full)
        result.notes << (QString::number(kRadio.lastChannel - result.channels)
                                        + QStringLiteral(" channels not in the file written blank: Update Rig clears them"));
    return result;
}

ImportResult ImportChirpCsv(const QByteArray& bytes, const ImportOptions& options)
{
    const DecodedText decoded = DecodeUtf8(bytes);
    std::vector<NumberedRow> rows;
    std::vector<int> places;
    std::vector<ReportLine> fileReport;
    if (!decoded.valid)
        fileReport.push_back({0, QStringLiteral("the file is not UTF-8: bytes that are not were replaced")});
    int headerSize = 0;
    for (const TextRow& textRow : SplitRows(decoded.text, u',')) {
        if (textRow.fields.first().startsWith(u'#'))
            continue;
        if (places.empty()) {
            places = ColumnPlaces(textRow.fields);
            headerSize = static_cast<int>(textRow.fields.size());
            continue;
        }
        NumberedRow numbered{textRow.line, ChirpRow(kColumnCount), {}};
        for (int column = 0; column < kColumnCount; ++column) {
            if (places[column] >= 0 && places[column] < textRow.fields.size())
                numbered.row[column] = textRow.fields[places[column]];
        }
        if (textRow.fields.size() < headerSize)
            numbered.notes << QStringLiteral("%1 of %2 columns: the missing ones taken as empty")
                                  .arg(textRow.fields.size())
                                  .arg(headerSize);
        rows.push_back(std::move(numbered));
    }
    if (places.empty() || places[kLocation] < 0 || places[kFrequency] < 0)
        fileReport.push_back({0, QStringLiteral("no CHIRP header (Location, Frequency) found")});
    return ImportRows(rows, options, std::move(fileReport));
}

}  // namespace talvex::channels
