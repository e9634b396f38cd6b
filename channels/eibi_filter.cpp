#include "channels/eibi_filter.h"

#include <QRegularExpression>

#include <algorithm>

namespace talvex::channels {

namespace {

constexpr std::array<const char16_t*, 7> kDayNames{u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"};

// "Mo" to "Su" in any case, or a digit 1 (Monday) to 7 (Sunday): the day's index from 0.
std::optional<int> DayOf(QStringView text)
{
    if (text.size() == 1 && text[0] >= u'1' && text[0] <= u'7')
        return text[0].unicode() - u'1';
    for (int day = 0; day < 7; ++day) {
        if (text.compare(QStringView(kDayNames[day]), Qt::CaseInsensitive) == 0)
            return day;
    }
    return std::nullopt;
}

// Days run together: digits one each ("1245"), names two letters each ("SaSu", "MoWeFr").
std::optional<Weekdays> RunOf(QStringView text)
{
    const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const qsizetype width = digits ? 1 : 2;
    if (text.isEmpty() || text.size() % width != 0)
        return std::nullopt;
    Weekdays set;
    for (qsizetype at = 0; at < text.size(); at += width) {
        const auto day = DayOf(text.mid(at, width));
        if (!day)
            return std::nullopt;
        set.set(*day);
    }
    return set;
}

// "Mo-Fr", or "We-Mo" and "Sa-Mo", which wrap over the week's end.
std::optional<Weekdays> RangeOf(QStringView first, QStringView last)
{
    const auto from = DayOf(first);
    const auto to = DayOf(last);
    if (!from || !to)
        return std::nullopt;
    Weekdays set;
    for (int day = *from;; day = (day + 1) % 7) {
        set.set(day);
        if (day == *to)
            return set;
    }
}

// On the air at `minute` for a "HHMM-HHMM" span: the end minute is off the air, a span that
// ends before it starts runs over midnight, and one that ends where it starts runs all day.
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

QString Broadcasts(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" broadcast") : QStringLiteral(" broadcasts"));
}

constexpr int kDaysShown = 3;

}  // namespace

std::optional<Weekdays> WeekdaysOf(const QString& days)
{
    const QString text = days.trimmed();
    if (text.isEmpty())
        return Weekdays().set();  // daily
    Weekdays set;
    static const QRegularExpression separators(QStringLiteral("[,/]"));
    for (const QString& part : text.split(separators)) {
        const QStringList ends = part.trimmed().split(u'-');
        const auto days = ends.size() == 1 ? RunOf(ends[0]) : ends.size() == 2 ? RangeOf(ends[0], ends[1]) : std::nullopt;
        if (!days)
            return std::nullopt;
        set |= *days;
    }
    return set;
}

std::optional<int> MinuteOfHhmm(const QString& hhmm)
{
    static const QRegularExpression shape(QStringLiteral("^([01]\\d|2[0-3])([0-5]\\d)$"));
    const auto match = shape.match(hhmm.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

FilterVerdict VerdictOf(const QStringList& fields, const EibiFilter& filter)
{
    if (filter.atMinute && !OnAirAt(fields[kEibiTime], *filter.atMinute))
        return FilterVerdict::Time;
    bool unreadableDays = false;
    if (filter.days.any()) {
        const auto days = WeekdaysOf(fields[kEibiDays]);
        if (days && (*days & filter.days).none())
            return FilterVerdict::Days;
        unreadableDays = !days;
    }
    if (!filter.language.isEmpty() && !HasLanguage(fields[kEibiLanguage], filter.language))
        return FilterVerdict::Language;
    if (!filter.target.isEmpty() && fields[kEibiTarget].trimmed().compare(filter.target, Qt::CaseInsensitive) != 0)
        return FilterVerdict::Target;
    if (!filter.station.isEmpty() && !fields[kEibiStation].contains(filter.station, Qt::CaseInsensitive))
        return FilterVerdict::Station;
    return unreadableDays ? FilterVerdict::UnreadableDays : FilterVerdict::Taken;
}

void LeftOutByFilters::count(FilterVerdict verdict, const QString& days)
{
    ++counts_[static_cast<std::size_t>(verdict)];
    if (verdict != FilterVerdict::UnreadableDays || unreadableDays_.contains(days.trimmed()))
        return;
    if (unreadableDays_.size() < kDaysShown)
        unreadableDays_ << days.trimmed();
    else
        moreUnreadableDays_ = true;
}

QStringList LeftOutByFilters::notes() const
{
    const auto counted = [this](FilterVerdict verdict) { return counts_[static_cast<std::size_t>(verdict)]; };
    QStringList notes;
    QStringList byFilter;
    int outside = 0;
    for (const auto& [verdict, name] : {std::pair{FilterVerdict::Time, "time"}, {FilterVerdict::Days, "days"},
                                        {FilterVerdict::Language, "language"}, {FilterVerdict::Target, "target"},
                                        {FilterVerdict::Station, "station"}}) {
        if (counted(verdict) == 0)
            continue;
        outside += counted(verdict);
        byFilter << QLatin1String(name) + u' ' + QString::number(counted(verdict));
    }
    if (outside > 0)
        notes << Broadcasts(outside) + QStringLiteral(" outside the filters (") + byFilter.join(QStringLiteral(", ")) + u')';
    if (const int unreadable = counted(FilterVerdict::UnreadableDays); unreadable > 0) {
        const QString forms = unreadableDays_.join(QStringLiteral(", ")) + (moreUnreadableDays_ ? QStringLiteral(", …") : QString());
        notes << Broadcasts(unreadable) + QStringLiteral(" with days the filter cannot read (") + forms
                     + QStringLiteral("): left out");
    }
    return notes;
}

}  // namespace talvex::channels
