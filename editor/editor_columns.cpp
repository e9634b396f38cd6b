#include "editor/editor_columns.h"

#include <array>

namespace talvex::editor {

namespace {

struct ColumnText {
    const char* title;
    const char* description;
};

constexpr std::array<ColumnText, kColumnCount> kColumns{{
    {"Ch", "memory channel 1 to 99"},
    {"Frequency", "frequency MM.KKK.H; type 14.074, 14074 or 14.074.0"},
    {"Mode", "LSB, USB, AM, CW, RTTY, FM, CWr or RTTYr"},
    {"Filter", "filter 1 to 3"},
    {"Select", "Yes when the channel is a select channel"},
    {"Label", "name of up to 10 characters"},
    {"Data", "data mode: off, D1, D2 or D3"},
    {"Tone", "tone type: off, Tone or TSQL"},
    {"Rpt Tone", "repeater tone in hertz, one of the radio's 50 tones"},
    {"Sql Tone", "tone squelch in hertz, one of the radio's 50 tones"},
    {"Split", "Yes when the channel transmits on another frequency or mode"},
    {"Tx Frequency", "transmit frequency of a split channel"},
    {"Tx Mode", "transmit mode of a split channel"},
    {"Group", "select group 1 to 3, empty for none"},
    {"Checks", "what Update Rig will do with the line, and why"},
    {"Radio", "what Compare with Radio or Write to Radio found for the line"},
}};

}  // namespace

QString ColumnTitle(Column column) { return QString::fromLatin1(kColumns.at(static_cast<std::size_t>(column)).title); }

QString ColumnDescription(Column column)
{
    return QString::fromLatin1(kColumns.at(static_cast<std::size_t>(column)).description);
}

}  // namespace talvex::editor
