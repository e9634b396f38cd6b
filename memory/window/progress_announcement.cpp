#include "memory/window/progress_announcement.h"

#include "memory/channel_range.h"

namespace talvex {

namespace {

bool Blank(const QString& text) { return text.trimmed().isEmpty(); }

// Blank Rig and Scan Rig go through the range typed for them; the others through the radio's
// channels.
QString ChannelOf(const OperationView& v, int channel)
{
    const bool ranged = v.operation == u"Blank Rig" || v.operation == u"Scan Rig";
    const ChannelRange radio;
    if (!ranged || (v.first == radio.first && v.last == radio.last))
        return QStringLiteral("channel %1 of %2").arg(channel).arg(radio.last);
    return QStringLiteral("channel %1 of %2 to %3").arg(channel).arg(v.first).arg(v.last);
}

}  // namespace

OperationView OperationView::Of(const ProgramState& state, const MemoryFields& fields)
{
    return {RunningMemoryOperation(state), fields.Text1, fields.Text7, state.FirstChannel, state.LastChannel};
}

std::optional<QString> ProgressAnnouncement(const OperationView& before, const OperationView& now)
{
    const bool statusChanged = now.status != before.status && !Blank(now.status);
    if (!now.operation) {
        if (!before.operation)
            return std::nullopt;
        // Stop blanks the fields; a normal end shows END; anything else is the end report.
        if (Blank(now.status))
            return *before.operation + QStringLiteral(" stopped");
        if (now.status.trimmed() == u"END")
            return *before.operation + QStringLiteral(" ended");
        return *before.operation + QStringLiteral(" ended: ") + now.status.simplified();
    }
    bool isNumber = false;
    const int channel = now.channel.trimmed().toInt(&isNumber);
    if (now.channel != before.channel && isNumber) {
        QString said = *now.operation + QStringLiteral(": ") + ChannelOf(now, channel);
        if (statusChanged)
            said += QStringLiteral(". ") + now.status.simplified();
        return said;
    }
    if (statusChanged)
        return now.status.simplified();
    return std::nullopt;
}

}  // namespace talvex
