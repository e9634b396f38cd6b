#pragma once

// Channels from an EiBi broadcast schedule (sked-XNN.csv): lines of 11 fields separated by
// ";" (kHz; Time(UTC) HHMM-HHMM; Days; ITU; Station; Lng; Target; Remarks; P; Start; Stop).
// Each frequency the filters let through becomes one AM channel labelled with its station.

#include "channels/import_report.h"

#include <QByteArray>
#include <QString>

#include <bitset>
#include <optional>

namespace talvex::channels {

// Weekdays, Monday first. Nothing for a Days field the filter cannot read ("irr", "alt").
using Weekdays = std::bitset<7>;
std::optional<Weekdays> WeekdaysOf(const QString& days);

// The broadcasts to take. Empty texts and unset values let everything through.
struct EibiFilter {
    std::optional<int> atMinute;  // on the air at this UTC time (minutes after midnight)
    Weekdays days;                // on the air on one of these days; none set: any day
    QString language;             // one of the Lng field's codes, case ignored
    QString target;               // the Target field, case ignored
    QString station;              // a part of the Station field, case ignored
    int firstChannel = 1;
    int max = 99;  // channels at most; never more than the radio's 99
};

// "0930" as minutes after midnight; nothing for anything else.
std::optional<int> MinuteOfHhmm(const QString& hhmm);

// `options.renumber` and `options.firstChannel` are not used: the filter numbers the channels.
ImportResult ImportEibi(const QByteArray& bytes, const EibiFilter& filter, const ImportOptions& options);

}  // namespace talvex::channels
