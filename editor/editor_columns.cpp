#include "editor/editor_columns.h"

#include "editor/cell_edit.h"
#include "link/format.h"
#include "link/radio_model.h"

#include <array>

namespace talvex::editor {

namespace {

// The radio's limits stand in braces and are filled in from its description.
struct ColumnText {
    const char* title;
    const char* description;
};

constexpr std::array<ColumnText, kColumnCount> kColumns{{
    {"Ch", "memory channel {channels}"},
    {"Frequency", "frequency MM.KKK.H; type 14.074, 14074 or 14.074.0"},
    {"Mode", "{modes}"},
    {"Filter", "filter {filters}"},
    {"Select", "Yes when the channel is a select channel"},
    {"Label", "name of up to {label} characters"},
    {"Data", "data mode: {data}"},
    {"Tone", "tone type: off, Tone or TSQL"},
    {"Rpt Tone", "repeater tone in hertz, one of the radio's {tones} tones"},
    {"Sql Tone", "tone squelch in hertz, one of the radio's {tones} tones"},
    {"Split", "Yes when the channel transmits on another frequency or mode"},
    {"Tx Frequency", "transmit frequency of a split channel"},
    {"Tx Mode", "transmit mode of a split channel"},
    {"Group", "select group {groups}, empty for none"},
    {"Checks", "what Update Rig will do with the line, and why"},
    {"Radio", "what Compare with Radio or Write to Radio found for the line"},
}};

}  // namespace

QString ColumnTitle(Column column) { return QString::fromLatin1(kColumns.at(static_cast<std::size_t>(column)).title); }

QString ColumnDescription(Column column)
{
    const auto upTo = [](int first, int last) {
        return QString::number(first) + QStringLiteral(" to ") + QString::number(last);
    };
    return QString::fromLatin1(kColumns.at(static_cast<std::size_t>(column)).description)
        .replace(QStringLiteral("{channels}"), upTo(kRadio.firstChannel, kRadio.lastChannel))
        .replace(QStringLiteral("{modes}"), ChoicesText(ModeChoices()))
        .replace(QStringLiteral("{filters}"), upTo(1, kRadio.filters))
        .replace(QStringLiteral("{label}"), QString::number(kRadio.labelLength))
        .replace(QStringLiteral("{data}"), ChoicesText(DataModeChoices()))
        .replace(QStringLiteral("{tones}"), QString::number(kRadio.tones.size()))
        .replace(QStringLiteral("{groups}"), upTo(1, kRadio.selectGroups));
}

}  // namespace talvex::editor
