#pragma once

// A frequency as operators type it into the editor: megahertz ("14.074", "7.0745"), kilohertz
// ("14074", "475", "14074.5") or the data file's own MM.KKK.H ("14.074.0"). A decimal comma,
// as much of Europe writes it, is the decimal point ("29,64", "14074,5"). The file holds
// 100 Hz steps, so finer digits are cut and the operator is told.

#include <QString>

#include <cstdint>
#include <optional>

namespace talvex::editor {

struct FrequencyEntry {
    std::int64_t hz = 0;  // to 100 Hz, as the zone will show it
    bool cut = false;     // the typed value had digits past 100 Hz
    QString typedAs;      // the typed text in hertz, for the message ("14074050 Hz")
};

// Nothing when the text is no frequency in one of the forms, or 100 MHz and more (the zone
// has two digits of megahertz). A comma beside a point, or more than one comma, could be a
// thousands separator as well as a decimal one: such a text is no frequency either.
std::optional<FrequencyEntry> ParseFrequencyEntry(const QString& text);

// Why ParseFrequencyEntry took the text for no frequency, in the operator's words.
QString FrequencyRefusal(const QString& text);

// MM.KKK.H of a frequency in hertz, digits below 100 Hz dropped.
QString FrequencyZoneText(std::int64_t hz);

// Hertz of a zone text MM.KKK.H; nothing when the zone has another shape.
std::optional<std::int64_t> HzOfZone(const QString& zone);

// "14.074.0 MHz" style text of what was cut: "14.074.05 was cut to 14.074.0 (the file holds 100 Hz steps)".
QString CutMessage(const FrequencyEntry& entry);

// What Update Rig says of a frequency outside the radio's memory range (MemoryRangeText()); ""
// for one the radio holds.
QString RangeRefusal(std::int64_t hz);

}  // namespace talvex::editor
