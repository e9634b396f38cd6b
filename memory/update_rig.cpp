// Update Rig: the channels of a data file into the radio, one line a tick. A line either
// programs its channel or, when its frequency field is empty, clears it; a line that cannot be
// encoded is skipped and named, never sent half right.
#include "memory/memory_operations.h"

#include "link/bcd.h"
#include "link/format.h"
#include "memory/data_line.h"
#include "memory/file_line.h"

namespace talvex {

namespace {

const QString kUpdateRig = QStringLiteral("Update Rig");
constexpr int kChannels = 99;

QString WithoutBlanks(QString text)
{
    text.remove(u' ');
    return text;
}

}  // namespace

void MemoryOperations::Command3_Click()
{
    if (refuseWhileBusy() || refuseWithoutRadio(kUpdateRig))
        return;
    if (dialogs_.message(kUpdateRig, state_.CurrentFileName + QStringLiteral(" ... Are you sure?"),
                         MessageIcon::None, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    dataFile_.ReopenDataFile(state_.CurrentDataFile, FileMode::Input);
    if (!dataFile_.isOpen())
        return;  // the open routine has said why
    state_.ChannelCounter = 0;
    state_.SilentAnswers = 0;
    updateAwaitsRadio_ = false;
    state_.UpdatingRig = true;
}

void MemoryOperations::Command14_Click() { startUpdate(QStringLiteral("TALVEX.txt")); }
void MemoryOperations::Command17_Click() { startUpdate(QStringLiteral("Ham.txt")); }
void MemoryOperations::Command16_Click() { startUpdate(QStringLiteral("CB.txt")); }
void MemoryOperations::Command21_Click() { startUpdate(QStringLiteral("Tele.txt")); }
void MemoryOperations::Command22_Click() { startUpdate(QStringLiteral("Sw + Air.txt")); }
void MemoryOperations::Command23_Click() { startUpdate(QStringLiteral("Empty.txt")); }

void MemoryOperations::startUpdate(const QString& fileName)
{
    if (refuseWhileBusy() || refuseWithoutRadio(kUpdateRig))
        return;
    if (dialogs_.message(fileName, QStringLiteral("Update Radio Memory ... Are you sure?"), MessageIcon::None,
                         MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    QString name = fileName;
    dataFile_.OpenDataFile(name, FileMode::Input);
    if (!dataFile_.isOpen())
        return;
    state_.memory.Text8 = state_.CurrentDataFile;
    state_.ChannelCounter = 0;
    state_.SilentAnswers = 0;
    updateAwaitsRadio_ = false;
    state_.UpdatingRig = true;
}

void MemoryOperations::Timer3_Timer()
{
    if (!state_.UpdatingRig || !radioStillThere(kUpdateRig) || !fileStillOpen(kUpdateRig))
        return;
    // A channel written into a radio that has gone silent (switched off) was not written: stop
    // rather than end as if the whole file had gone in.
    if (updateAwaitsRadio_ && state_.SilentAnswers > 0) {
        haltWith(kUpdateRig, QStringLiteral("The radio did not answer for channel ") + state_.ChannelText
                                 + QStringLiteral(" ... Update Rig stopped: that channel and the ones after it "
                                                  "may not hold what the file says."));
        return;
    }
    updateAwaitsRadio_ = false;
    QString line;
    if (dataFile_.atEnd() || !dataFile_.ReadDataLine(line)) {
        state_.UpdatingRig = false;
        state_.EntriesPreset = false;
        state_.ChannelCounter = 0;
        return;
    }
    showLine(line);
    switch (KindOf(line)) {
    case LineKind::End:
        state_.UpdatingRig = false;
        state_.EntriesPreset = false;
        state_.ChannelCounter = 0;
        return;
    case LineKind::Comment:
    case LineKind::Blank:
        return;
    case LineKind::Channel:
        updateFromLine(line);
        updateAwaitsRadio_ = true;
        return;
    }
}

void MemoryOperations::updateFromLine(const QString& line)
{
    state_.ChannelText = ChannelTextOf(line).trimmed();
    const QString frequencyField = Columns(line, 15, 22);

    if (IsEmptyFrequency(frequencyField)) {
        // Clear: select (which goes straight on to one clear), then a second clear of the same
        // channel. A channel the select refuses gets neither.
        const bool selectable = WholeNumberIn(state_.ChannelText, 1, 101).has_value();
        state_.EntriesPreset = true;
        state_.ClearAfterSelect = true;
        radio_.Option40_Click();
        state_.ClearAfterSelect = false;
        if (!selectable) {
            state_.EntriesPreset = false;
            return;
        }
        state_.EntriesPreset = true;
        radio_.Option43_Click();
        return;
    }

    if (!WholeNumberIn(state_.ChannelText, 1, kChannels)) {
        // Not a channel the radio can be written at (the heading line among them): as always,
        // only the memory-mode frame goes out, the write refuses the rest.
        state_.EntriesPreset = true;
        radio_.Option18_Click();
        state_.EntriesPreset = false;
        return;
    }

    const auto digits = FrequencyDigitsOf(frequencyField);
    const QString mode = WithoutBlanks(Columns(line, 29, 42));
    const QString filter = Columns(line, 47, 47).trimmed();
    const QString label = Columns(line, 71, 80);
    QString fault;
    if (!digits)
        fault = QStringLiteral("frequency \"") + frequencyField + u'"';
    else if (!ModeCode(mode))
        fault = QStringLiteral("mode \"") + mode + u'"';
    else if (!filter.isEmpty() && !WholeNumberIn(filter, 1, 3))
        fault = QStringLiteral("filter \"") + filter + u'"';
    else if (!IsPrintableLabel(label))
        fault = QStringLiteral("label");
    if (!fault.isEmpty()) {
        state_.memory.Text7 = QStringLiteral("Skipped channel ") + state_.ChannelText + QStringLiteral(": ") + fault
            + QStringLiteral(" cannot be written ... ") + line.trimmed();
        state_.EntriesPreset = false;
        return;
    }

    state_.FrequencyText = *digits;
    state_.ModeValue = mode;
    state_.FilterValue = filter;
    state_.LabelText = label;
    state_.EntriesPreset = true;
    radio_.Option18_Click();
    radio_.Option44_Click();
}

}  // namespace talvex
