#pragma once

#include <QString>

#include <optional>

namespace talvex {

// What View File and Update Rig show of a data-file line in the Memory window.
struct LineDisplay {
    QString channel;    // columns 2-4
    QString frequency;  // columns 15-22
    QString mode;       // the mode zone, blanks removed ("RTTYr" stays whole)
    QString filter;     // columns 43-47
    QString select;     // column 57, "Y" shown as "*"
    QString label;      // columns 71-82
};
LineDisplay DisplayOf(const QString& line);

// A zone as the program reads it: its blanks removed ("RTTY r" is "RTTYr").
QString WithoutBlanks(QString text);

enum class LineKind { End, Comment, Blank, Channel };
// End: columns 2-4 or 1-3 read "END"; comment: first character "*"; blank: first three
// characters spaces (or a shorter line of blanks).
LineKind KindOf(const QString& line);

// The channel as Update Rig takes it: columns 2-3 when column 4 is a blank, else 2-4.
QString ChannelTextOf(const QString& line);

// A frequency field read by its points: one or two digits of MHz, a point, three digits of kHz,
// a point, one digit of 100 Hz. The six digits MMkkkh the memory write takes, or nothing when
// the field has another shape. A field of blanks and points only is an empty channel; test
// that with IsEmptyFrequency first.
std::optional<QString> FrequencyDigitsOf(const QString& field);
bool IsEmptyFrequency(const QString& field);

// What a channel line holds where no reader looks: the first non-blank characters outside
// every zone's field ("\"M\" in column 70"), or nothing. A field typed a column too early or
// too long (a label from column 70, an 11th character of a label, a channel number from column
// 1) would otherwise lose those characters without a word, or be read as another value.
std::optional<QString> StrayCharactersOf(const QString& line);

// A label the radio can show: each character one its names may hold.
bool IsPrintableLabel(const QString& label);

}  // namespace talvex
