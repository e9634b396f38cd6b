#include "report_text.h"

#include "printable.h"

#include "link/format.h"

#include <QJsonArray>
#include <QJsonObject>

namespace talvex::cli {

namespace {

QString Result(const ReportFacts& f)
{
    if (f.interrupted)
        return QStringLiteral("interrupted");
    if (f.outcome.end == Outcome::End::Stopped)
        return QStringLiteral("stopped");
    return f.outcome.report.allVerified() ? QStringLiteral("verified") : QStringLiteral("not verified");
}

}  // namespace

QByteArray ReportJson(const ReportFacts& f)
{
    const ChannelReport& report = f.outcome.report;
    QJsonArray failed;
    for (const ChannelVerdict& verdict : f.outcome.failures)
        failed.append(QJsonObject{{QStringLiteral("channel"), verdict.channel},
                                  {QStringLiteral("why"), verdict.why.value_or(QString())}});
    QJsonArray skipped;
    for (const ChannelSkip& skip : report.skips())
        skipped.append(QJsonObject{{QStringLiteral("line"), skip.line}, {QStringLiteral("channel"), skip.channel},
                                   {QStringLiteral("why"), skip.why}});
    QJsonObject object{{QStringLiteral("operation"), CommandName(f.options.command)},
                       {QStringLiteral("result"), Result(f)},
                       {QStringLiteral("exitCode"), f.exitCode},
                       {QStringLiteral("file"), f.file},
                       {QStringLiteral("backup"), f.backup},
                       {QStringLiteral("written"), report.verifiedCount() + report.failedCount()},
                       {QStringLiteral("verified"), report.verifiedCount()},
                       {QStringLiteral("kept"), report.unchangedCount()},
                       {QStringLiteral("lastVerified"), f.outcome.lastVerified},
                       {QStringLiteral("failed"), failed},
                       {QStringLiteral("skipped"), skipped}};
    if (!f.outcome.why.isEmpty())
        object.insert(QStringLiteral("why"), f.outcome.why);
    return JsonText(object);
}

QString ReportText(const ReportFacts& f)
{
    QStringList lines;
    const Outcome& o = f.outcome;
    const QString command = CommandName(f.options.command);
    if (f.interrupted) {
        lines << command + QStringLiteral(": stopped by the operator.");
    } else if (o.end == Outcome::End::Stopped) {
        lines << command + QStringLiteral(": stopped: ") + o.why;
    } else if (f.options.command == Command::Read) {
        lines << command + QStringLiteral(": channels ") + ChannelRangeText() + QStringLiteral(" read into ") + f.file;
    } else {
        lines << o.report.summary(command);
    }
    for (const ChannelVerdict& verdict : o.failures)
        lines << QStringLiteral("Channel %1: %2").arg(verdict.channel).arg(verdict.why.value_or(QString()));
    for (const ChannelSkip& skip : o.report.skips())
        lines << QStringLiteral("Skipped ") + skip.text();
    if (f.options.command != Command::Read && (f.interrupted || o.end == Outcome::End::Stopped))
        lines << (o.lastVerified > 0 ? QStringLiteral("Last channel verified: %1").arg(o.lastVerified)
                                     : QStringLiteral("No channel was changed and verified."));
    if (!f.backup.isEmpty())
        lines << QStringLiteral("Backup: ") + f.backup;
    return PrintableLines(lines);
}

}  // namespace talvex::cli
