#include "channels/eibi_import.h"

#include "channels/chirp_export.h"
#include "channels/chirp_import.h"
#include "channels/csv_text.h"
#include "channels/record_fields.h"
#include "link/radio_model.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <set>

namespace talvex::channels {

namespace {

// "6070" or "6070.5" kilohertz to hertz.
std::optional<std::int64_t> HzOfKhz(const QString& khz)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,5})(?:\\.(\\d{0,3}))?\\s*$"));
    const auto match = shape.match(khz);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * 1000 + match.captured(2).leftJustified(3, u'0').toLongLong();
}

}  // namespace

ImportResult ImportEibi(const QByteArray& bytes, const EibiFilter& filter, const ImportOptions& options)
{
    std::vector<NumberedRow> rows;
    std::vector<ReportLine> fileReport;
    std::map<std::int64_t, std::pair<int, QString>> channelOfHz;  // channel and its station
    const int limit = std::min(filter.max, kRadio.lastChannel - filter.firstChannel + 1);
    std::set<std::int64_t> leftOut;  // frequencies beyond the last channel
    LeftOutByFilters leftOutByFilters;
    for (const TextRow& textRow : SplitRows(DecodeUtf8OrLatin1(bytes), u';', Quotes::Plain)) {
        const QStringList& fields = textRow.fields;
        if (fields.first().startsWith(QStringLiteral("kHz")))
            continue;  // the heading
        if (fields.size() != kEibiFieldCount) {
            fileReport.push_back({textRow.line, QStringLiteral("%1 fields, not 11: left out").arg(fields.size())});
            continue;
        }
        if (const FilterVerdict verdict = VerdictOf(fields, filter); verdict != FilterVerdict::Taken) {
            leftOutByFilters.count(verdict, fields[kEibiDays]);
            continue;
        }
        const auto hz = HzOfKhz(fields[kEibiKhz]);
        if (!hz || !kRadio.holdsFrequency(*hz)) {
            const QString range = QString::number(kRadio.lowestHz / 1000) + u'-' + QString::number(kRadio.highestHz / 1000);
            fileReport.push_back({textRow.line, QStringLiteral("kHz \"") + fields[kEibiKhz] + QStringLiteral("\" is outside ")
                                                    + range + QStringLiteral(" kHz: left out")});
            continue;
        }
        const QString station = fields[kEibiStation].trimmed();
        if (const auto found = channelOfHz.find(*hz); found != channelOfHz.end()) {
            fileReport.push_back({textRow.line, station + QStringLiteral(" merged into channel ")
                                                    + QString::number(found->second.first) + QStringLiteral(" (")
                                                    + found->second.second + QStringLiteral("), same frequency")});
            continue;
        }
        if (static_cast<int>(channelOfHz.size()) >= limit) {
            leftOut.insert(*hz);
            continue;
        }
        const int channel = filter.firstChannel + static_cast<int>(channelOfHz.size());
        channelOfHz[*hz] = {channel, station};
        ChirpRow row(kColumnCount);
        row[kLocation] = QString::number(channel);
        row[kName] = station;
        row[kFrequency] = MegahertzText(*hz);
        row[kMode] = QStringLiteral("AM");
        rows.push_back({textRow.line, row, {}});
    }
    if (!leftOut.empty())
        fileReport.push_back({0, QString::number(leftOut.size()) + QStringLiteral(" more frequencies left out: ")
                                     + QString::number(limit) + QStringLiteral(" channels at most")});
    ImportOptions numbered = options;
    numbered.renumber = false;
    ImportResult result = ImportRows(rows, numbered, std::move(fileReport));
    // The operator's own filters left these out: counted beside the report, not as changes.
    result.notes = leftOutByFilters.notes() + result.notes;
    return result;
}

}  // namespace talvex::channels
