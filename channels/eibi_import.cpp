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

enum Field { kKhz, kTime, kDays, kItu, kStation, kLanguage, kTarget, kFieldCount = 11 };

const QStringList kDayNames{QStringLiteral("Mo"), QStringLiteral("Tu"), QStringLiteral("We"), QStringLiteral("Th"),
                            QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("Su")};

std::optional<int> DayIndex(const QString& name)
{
    const auto index = kDayNames.indexOf(name);
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

// On the air at `minute` for a "HHMM-HHMM" span; a span that ends before it starts runs over
// midnight, and one that ends where it starts runs all day.
bool OnAirAt(const QString& span, int minute)
{
    const QStringList ends = span.trimmed().split(u'-');
    if (ends.size() != 2)
        return false;
    const auto start = MinuteOfHhmm(ends[0]);
    const auto stop = ends[1] == u"2400" ? std::optional<int>(24 * 60) : MinuteOfHhmm(ends[1]);
    if (!start || !stop)
        return false;
    if (*start < *stop)
        return minute >= *start && minute < *stop;
    if (*start > *stop)
        return minute >= *start || minute < *stop;
    return true;
}

bool HasLanguage(const QString& field, const QString& language)
{
    const QStringList codes = field.split(u',');
    return std::any_of(codes.begin(), codes.end(),
                       [&](const QString& code) { return code.trimmed().compare(language, Qt::CaseInsensitive) == 0; });
}

bool Passes(const QStringList& fields, const EibiFilter& filter)
{
    if (filter.atMinute && !OnAirAt(fields[kTime], *filter.atMinute))
        return false;
    if (filter.days.any()) {
        const auto days = WeekdaysOf(fields[kDays]);
        if (!days || (*days & filter.days).none())
            return false;
    }
    if (!filter.language.isEmpty() && !HasLanguage(fields[kLanguage], filter.language))
        return false;
    if (!filter.target.isEmpty() && fields[kTarget].trimmed().compare(filter.target, Qt::CaseInsensitive) != 0)
        return false;
    return filter.station.isEmpty() || fields[kStation].contains(filter.station, Qt::CaseInsensitive);
}

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

std::optional<int> MinuteOfHhmm(const QString& hhmm)
{
    static const QRegularExpression shape(QStringLiteral("^([01]\\d|2[0-3])([0-5]\\d)$"));
    const auto match = shape.match(hhmm.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

std::optional<Weekdays> WeekdaysOf(const QString& days)
{
    const QString text = days.trimmed();
    Weekdays set;
    if (text.isEmpty())
        return set.set();  // daily
    static const QRegularExpression digits(QStringLiteral("^[1-7]+$"));
    if (digits.match(text).hasMatch()) {
        for (const QChar digit : text)
            set.set(digit.digitValue() - 1);
        return set;
    }
    static const QRegularExpression separators(QStringLiteral("[,/]"));
    for (const QString& part : text.split(separators)) {
        const QStringList range = part.split(u'-');
        const auto first = DayIndex(range.first());
        const auto last = range.size() == 2 ? DayIndex(range.last()) : first;
        if (!first || !last || range.size() > 2)
            return std::nullopt;
        for (int day = *first;; day = (day + 1) % 7) {  // "Sa-Mo" wraps over the week's end
            set.set(day);
            if (day == *last)
                break;
        }
    }
    return set;
}

ImportResult ImportEibi(const QByteArray& bytes, const EibiFilter& filter, const ImportOptions& options)
{
    std::vector<NumberedRow> rows;
    std::vector<ReportLine> fileReport;
    std::map<std::int64_t, std::pair<int, QString>> channelOfHz;  // channel and its station
    const int limit = std::min(filter.max, kRadio.lastChannel - filter.firstChannel + 1);
    std::set<std::int64_t> leftOut;  // frequencies beyond the last channel
    for (const TextRow& textRow : SplitRows(DecodeUtf8OrLatin1(bytes), u';')) {
        const QStringList& fields = textRow.fields;
        if (fields.first().startsWith(QStringLiteral("kHz")))
            continue;  // the heading
        if (fields.size() != kFieldCount) {
            fileReport.push_back({textRow.line, QStringLiteral("%1 fields, not 11: left out").arg(fields.size())});
            continue;
        }
        if (!Passes(fields, filter))
            continue;
        const auto hz = HzOfKhz(fields[kKhz]);
        if (!hz || *hz < kLowestHz || *hz > kHighestHz) {
            fileReport.push_back({textRow.line, QStringLiteral("kHz \"") + fields[kKhz]
                                                    + QStringLiteral("\" is outside 30-74800 kHz: left out")});
            continue;
        }
        const QString station = fields[kStation].trimmed();
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
    return ImportRows(rows, numbered, std::move(fileReport));
}

}  // namespace talvex::channels
