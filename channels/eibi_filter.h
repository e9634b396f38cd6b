#pragma once

// Which broadcasts of an EiBi schedule the operator's filters let through, and, for each one
// they leave out, which filter did: the import counts those, so no row vanishes without a word.

#include "link/radio_model.h"

#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <optional>

namespace talvex::channels {

// The fields of a schedule row, in the file's order (kHz; Time(UTC); Days; ITU; Station; Lng;
// Target; Remarks; P; Start; Stop).
enum EibiField { kEibiKhz, kEibiTime, kEibiDays, kEibiItu, kEibiStation, kEibiLanguage, kEibiTarget, kEibiFieldCount = 11 };

// Weekdays, Monday first.
using Weekdays = std::bitset<7>;

// The days a Days field names: empty (daily), two-letter days alone or run together ("Sa",
// "SaSu", "MoWeFr"), ranges that may wrap over the week's end ("Mo-Fr", "We-Mo"), digits
// with Monday 1 ("1245"), and lists of these ("Sa,Su", "Mo-We,Fr"); case is ignored. Nothing
// for what names no weekdays: "irr", "alt", "1.Sa" (first Saturday of the month), dates
// ("12Apr"), anything else.
std::optional<Weekdays> WeekdaysOf(const QString& days);

// "0930" as minutes after midnight; nothing for anything else.
std::optional<int> MinuteOfHhmm(const QString& hhmm);

// The broadcasts to take. Empty texts and unset values let everything through.
struct EibiFilter {
    std::optional<int> atMinute;  // on the air at this UTC time (minutes after midnight)
    Weekdays days;                // on the air on one of these days; none set: any day
    QString language;             // one of the Lng field's codes, case ignored
    QString target;               // the Target field, case ignored
    QString station;              // a part of the Station field, case ignored
    int firstChannel = kRadio.firstChannel;
    int max = kRadio.lastChannel;  // channels at most; never more than the radio has
};

// Taken, or the first filter (in this order) that leaves the row out. A Days field the filter
// cannot read counts only when every other filter would take the row: those are the rows the
// operator might have wanted.
enum class FilterVerdict { Taken, Time, Days, Language, Target, Station, UnreadableDays };  // UnreadableDays last

// `fields`: one row's eleven fields.
FilterVerdict VerdictOf(const QStringList& fields, const EibiFilter& filter);

// The rows the filters left out, counted for the report's notes.
class LeftOutByFilters {
public:
    void count(FilterVerdict verdict, const QString& days);
    // "12 broadcasts outside the filters (time 5, days 4, language 3)" and "3 broadcasts with
    // days the filter cannot read (irr, 1.Sa, 12Apr, …): left out"; each only when it counts some.
    QStringList notes() const;

private:
    static constexpr std::size_t kVerdicts = static_cast<std::size_t>(FilterVerdict::UnreadableDays) + 1;
    std::array<int, kVerdicts> counts_{};  // by FilterVerdict
    QStringList unreadableDays_;   // the first few distinct forms, in file order
    bool moreUnreadableDays_ = false;
};

}  // namespace talvex::channels
