#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace talvex {

// What the operator types into the Radio Operations window's questions, read as the values the
// radio's procedures take: nothing for an entry the radio cannot take. The window asks; these
// say what a typed answer means.

// What the questions offer, from the radio's description: "1-99", "1,2,3", the label's length.
QString ChannelChoices();
QString FilterChoices();
int LabelLength();

// A memory channel, 1-99; with the program-scan edges 100 and 101 where a channel is selected or
// read.
std::optional<int> ChannelOf(const QString& typed);
std::optional<int> SelectableChannelOf(const QString& typed);
// A channel for Memory Write: 1-99, and never three characters, so neither scan edge nor "007".
std::optional<int> WritableChannelOf(const QString& typed);
// 3-6 digits (Kkk, MMkkk or MMkkkh; 500 is 0.500 MHz, 7100 is 7.100 MHz) as the five bytes of the
// frequency field.
std::optional<QByteArray> FrequencyBytesOf(const QString& typed);
// A mode's name in any case, as its code.
std::optional<int> ModeOf(const QString& typed);
// The mode the mode field shows, its name exactly as the decoder writes it.
std::optional<int> ModeShownBy(const QString& field);
std::optional<int> FilterOf(const QString& typed);  // 1-3
std::optional<int> VolumeOf(const QString& typed);  // 0-99: 100 and above has no BCD byte
// Manual command mode: up to five tokens of one or two hexadecimal digits, either case ("5" is
// 05), as their bytes. Characters after the fifth token are ignored and two blanks in a row make
// an empty place; an answer that starts with a blank, or is "0", is no command.
std::optional<QByteArray> ManualCommandOf(const QString& typed);
// A label as the ten characters a write carries: cut at ten, filled with blanks. What is typed
// past the tenth character is never sent, so only the ten sent must be printable.
std::optional<QString> LabelOf(const QString& typed);

}  // namespace talvex
