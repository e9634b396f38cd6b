#pragma once

// What Update Rig does with one channel line of a data file, given what the radio holds for
// that channel. Update Rig takes every decision from here, so anything that shows "what Update
// Rig would change" (talvex-mem diff, a compare in a window) shows exactly what it would do.
// Pure: a line and a record in, a plan out; no radio, no state, no file.
//
// Typical use, for lines read from a data file up to its END line:
//
//     for (int channel : ChannelsNamedIn(lines)) read `channel` from the radio (blank or record);
//     for (const PlannedLine& planned : PlanLines(lines, heldFor)) {
//         ... planned.plan.action, .changed, .kept, .notes, .reason
//     }

#include "link/memory_record.h"
#include "memory/programmed_line.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace talvex {

// What the radio holds in a channel, as it was read before planning: nothing when the channel
// was not read; a read channel holds nothing (blank) or a record.
using RadioHeld = std::optional<std::optional<MemoryRecord>>;

enum class PlanAction {
    Write,         // the merged record goes into the channel
    Clear,         // the channel is cleared (the line's frequency field is empty)
    Unchanged,     // the merged record is what the radio holds already: nothing is sent
    AlreadyBlank,  // a clear of a channel the radio holds nothing in: nothing is sent
    Skip,          // the radio cannot take the line: nothing is sent, and the operator is told `reason`
    NotAChannel,   // a title, heading, comment, blank or END line, or a channel no write reaches
};

// The fields a data file's visible zones show, and the rest of the record as one.
enum class PlanField {
    Frequency,  // to 100 Hz
    Mode,
    Filter,
    Label,
    Select,    // marked for the select scan or not
    Settings,  // what the zones cannot show: data mode, tones, split, select group, 10 Hz digits
};

struct LinePlan {
    PlanAction action = PlanAction::NotAChannel;
    // The channel the line writes or clears (1-99, P1 = 100, P2 = 101); 0 for a line naming none.
    int channel = 0;
    // What the radio held, as given to PlanLine.
    RadioHeld held;
    // Write and Unchanged: the record Update Rig writes (or would, were it not already there).
    std::optional<MemoryRecord> record;
    // Write: what differs from the radio's record, in PlanField order. Against a blank channel
    // (or one not read) every field the line fills: frequency, mode, filter, label, and select
    // when the line marks it.
    std::vector<PlanField> changed;
    // Write and Unchanged: the radio's settings the file cannot show that the record keeps, in
    // the operator's words ("data mode", "tones", "split, transmit 14.230.0", "select group 2",
    // "10 Hz digits").
    QStringList kept;
    // Write: the merge's decisions the operator must hear about ("split kept, transmit
    // 14.230.0", "data mode cleared: CW cannot carry it").
    QStringList notes;
    // Skip: why ("mode \"XYZ\" is no mode the radio has"). NotAChannel: why a line naming a
    // channel writes nothing ("P1 is written only from a backup's record of it"), else empty.
    QString reason;
    // Skip: the part of the line `reason` is about.
    LinePart part = LinePart::Channel;
};

// One line of a data file and what Update Rig does with it.
struct PlannedLine {
    QString line;
    LinePlan plan;
};

// The channel a channel line writes or clears, P1 and P2 (100, 101) included; nothing for a
// title, heading, comment, blank or END line. Which record PlanLine needs for the line.
std::optional<int> ChannelNamedBy(const QString& line);

// The channels the lines name, ascending, each once: the ones to read from the radio before
// planning. The lines are taken up to the first END line.
std::vector<int> ChannelsNamedIn(const QStringList& lines);

// What Update Rig does with `line` when the radio holds `held` in ChannelNamedBy(line), the
// line taken alone.
LinePlan PlanLine(const QString& line, const RadioHeld& held);

// What the radio holds in a channel, as read before planning (RadioHeld() when it was not read).
using HeldLookup = std::function<RadioHeld(int channel)>;

// Every line up to and including the first END line, each planned as Update Rig takes it from a
// whole file: a channel named on more than one line is written once, from its last line, and
// the lines before it are skipped and named. The one rule set every face asks what a file
// will do: Update Rig, talvex-mem diff and the editor's marks.
std::vector<PlannedLine> PlanLines(const QStringList& lines, const HeldLookup& held);

// The lines PlanLines skips, whatever the radio holds: "line 12 (channel 7): frequency 80.000.0
// is outside 0.030-74.800 MHz: the radio refuses it", one a line in file order.
QStringList SkippedLines(const QStringList& lines);

// "frequency", "mode", "filter", "label", "select", "settings".
QString PlanFieldName(PlanField field);
// The field as a data file shows it: "14.074.0", "USB", "Fil 2", "FT8 20M" (trailing blanks
// dropped), "Yes" or "No"; for Settings the record's 82 hexadecimal digits.
QString PlanFieldText(PlanField field, const MemoryRecord& record);

}  // namespace talvex
