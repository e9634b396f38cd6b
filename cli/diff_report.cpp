#include "diff_report.h"

#include "printable.h"

#include "link/format.h"

#include <QJsonArray>
#include <QJsonObject>

namespace talvex::cli {

namespace {

QString ActionName(PlanAction action)
{
    switch (action) {
    case PlanAction::Write: return QStringLiteral("write");
    case PlanAction::Clear: return QStringLiteral("clear");
    case PlanAction::Unchanged: return QStringLiteral("unchanged");
    case PlanAction::AlreadyBlank: return QStringLiteral("already blank");
    case PlanAction::Skip: return QStringLiteral("skip");
    case PlanAction::NotAChannel: break;
    }
    return QStringLiteral("ignored");
}

// A line that names a channel, or one the operator must hear about.
bool Reported(const LinePlan& plan) { return plan.channel != 0; }

const MemoryRecord* HeldRecord(const LinePlan& plan)
{
    return plan.held && *plan.held ? &**plan.held : nullptr;
}

// A label with its blanks is shown in quotes; the other fields never hold blanks.
QString Shown(PlanField field, const MemoryRecord& record)
{
    const QString text = PlanFieldText(field, record);
    return field == PlanField::Label ? u'"' + text + u'"' : text;
}

QString FieldChanges(const LinePlan& plan)
{
    const MemoryRecord* held = HeldRecord(plan);
    QStringList parts;
    for (const PlanField field : plan.changed) {
        if (field == PlanField::Settings) {
            parts << QStringLiteral("settings the zones cannot show (from the line's record)");
            continue;
        }
        const QString now = Shown(field, *plan.record);
        parts << PlanFieldName(field) + u' ' + (held ? Shown(field, *held) + QStringLiteral(" -> ") + now : now);
    }
    return parts.join(QStringLiteral(", "));
}

QStringList ChannelLines(const LinePlan& plan)
{
    const QString name = QStringLiteral("Channel ") + ChannelName(plan.channel) + QStringLiteral(": ");
    QStringList lines;
    switch (plan.action) {
    case PlanAction::Write:
        lines << name + (!plan.held ? QStringLiteral("write (not read): ")
                         : !*plan.held ? QStringLiteral("write into a blank channel: ")
                                       : QString())
                + FieldChanges(plan);
        if (!plan.kept.isEmpty())
            lines << QStringLiteral("  kept: ") + plan.kept.join(QStringLiteral(", "));
        for (const QString& note : plan.notes)
            lines << QStringLiteral("  note: ") + note;
        break;
    case PlanAction::Clear: {
        const MemoryRecord* held = HeldRecord(plan);
        QString was;
        if (held) {
            was = QStringLiteral(" (holds ") + PlanFieldText(PlanField::Frequency, *held) + u' '
                + PlanFieldText(PlanField::Mode, *held) + u' ' + PlanFieldText(PlanField::Filter, *held) + u' '
                + Shown(PlanField::Label, *held) + u')';
        }
        lines << name + QStringLiteral("clear") + was;
        break;
    }
    case PlanAction::Skip: lines << name + QStringLiteral("skipped: ") + plan.reason; break;
    case PlanAction::NotAChannel: lines << name + QStringLiteral("ignored: ") + plan.reason; break;
    case PlanAction::Unchanged:
    case PlanAction::AlreadyBlank: break;
    }
    return lines;
}

struct Counts {
    int write = 0, clear = 0, unchanged = 0, skipped = 0, ignored = 0;
};

Counts CountsOf(const std::vector<PlannedLine>& plans)
{
    Counts counts;
    for (const PlannedLine& planned : plans) {
        switch (planned.plan.action) {
        case PlanAction::Write: ++counts.write; break;
        case PlanAction::Clear: ++counts.clear; break;
        case PlanAction::Unchanged:
        case PlanAction::AlreadyBlank: ++counts.unchanged; break;
        case PlanAction::Skip: ++counts.skipped; break;
        case PlanAction::NotAChannel: counts.ignored += Reported(planned.plan) ? 1 : 0; break;
        }
    }
    return counts;
}

QString Result(const DiffFacts& f)
{
    if (f.interrupted)
        return QStringLiteral("interrupted");
    return f.complete ? QStringLiteral("compared") : QStringLiteral("stopped");
}

}  // namespace

int SkippedCount(const std::vector<PlannedLine>& plans) { return CountsOf(plans).skipped; }

QString DiffText(const DiffFacts& f)
{
    QStringList lines;
    if (!f.complete) {
        lines << (f.interrupted ? QStringLiteral("diff: stopped by the operator.")
                                : QStringLiteral("diff: stopped: ") + f.why);
        lines << QStringLiteral("Nothing was compared and nothing was changed.");
        return PrintableLines(lines);
    }
    for (const PlannedLine& planned : f.plans) {
        if (Reported(planned.plan))
            lines << ChannelLines(planned.plan);
    }
    const Counts c = CountsOf(f.plans);
    if (c.write == 0 && c.clear == 0) {
        lines << QStringLiteral("no change");
    } else {
        lines << QStringLiteral("write would write %1 and clear %2 channel(s); %3 already as the file says")
                     .arg(c.write)
                     .arg(c.clear)
                     .arg(c.unchanged);
    }
    if (c.skipped > 0)
        lines << QStringLiteral("%1 line(s) would be skipped").arg(c.skipped);
    if (c.ignored > 0)
        lines << QStringLiteral("%1 line(s) would be ignored").arg(c.ignored);
    return PrintableLines(lines);
}

QByteArray DiffJson(const DiffFacts& f)
{
    QJsonArray channels;
    for (const PlannedLine& planned : f.plans) {
        const LinePlan& plan = planned.plan;
        if (!Reported(plan))
            continue;
        QJsonObject channel{{QStringLiteral("channel"), plan.channel}, {QStringLiteral("action"), ActionName(plan.action)}};
        if (plan.action == PlanAction::Write) {
            const MemoryRecord* held = HeldRecord(plan);
            QJsonArray fields;
            for (const PlanField field : plan.changed) {
                QJsonObject change{{QStringLiteral("field"), PlanFieldName(field)},
                                   {QStringLiteral("file"), PlanFieldText(field, *plan.record)}};
                if (held)
                    change.insert(QStringLiteral("radio"), PlanFieldText(field, *held));
                fields.append(change);
            }
            channel.insert(QStringLiteral("radioRead"), plan.held.has_value());
            channel.insert(QStringLiteral("radioBlank"), plan.held && !*plan.held);
            channel.insert(QStringLiteral("fields"), fields);
            channel.insert(QStringLiteral("kept"), QJsonArray::fromStringList(plan.kept));
            channel.insert(QStringLiteral("notes"), QJsonArray::fromStringList(plan.notes));
        }
        if (!plan.reason.isEmpty())
            channel.insert(QStringLiteral("why"), plan.reason);
        channels.append(channel);
    }
    const Counts c = CountsOf(f.plans);
    QJsonObject object{{QStringLiteral("operation"), QStringLiteral("diff")},
                       {QStringLiteral("result"), Result(f)},
                       {QStringLiteral("exitCode"), f.exitCode},
                       {QStringLiteral("file"), f.file},
                       {QStringLiteral("changes"), f.complete && (c.write > 0 || c.clear > 0)},
                       {QStringLiteral("write"), c.write},
                       {QStringLiteral("clear"), c.clear},
                       {QStringLiteral("unchanged"), c.unchanged},
                       {QStringLiteral("skipped"), c.skipped},
                       {QStringLiteral("ignored"), c.ignored},
                       {QStringLiteral("channels"), channels}};
    if (!f.complete)
        object.insert(QStringLiteral("why"), f.interrupted ? QStringLiteral("stopped by the operator") : f.why);
    return JsonText(object);
}

}  // namespace talvex::cli
