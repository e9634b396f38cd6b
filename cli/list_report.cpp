#include "list_report.h"

#include "printable.h"

#include <QJsonArray>
#include <QJsonObject>


namespace talvex::cli {

namespace {

QString ImportResultWord(const ImportFacts& f)
{
    if (f.result.refused)
        return QStringLiteral("refused");
    if (!f.written)
        return QStringLiteral("not written");
    return f.result.changed() ? QStringLiteral("written with changes") : QStringLiteral("written");
}

}  // namespace

QString ExportText(const ExportFacts& f)
{
    const QString from = f.source == u"radio" ? QStringLiteral("the radio") : f.source;
    return PrintableLines({QStringLiteral("Export: %1 channels from %2 written to %3").arg(f.channels).arg(from, f.file)});
}

QByteArray ExportJson(const ExportFacts& f)
{
    const QJsonObject object{{QStringLiteral("operation"), QStringLiteral("export")},
                             {QStringLiteral("result"), QStringLiteral("written")},
                             {QStringLiteral("exitCode"), 0},
                             {QStringLiteral("file"), f.file},
                             {QStringLiteral("source"), f.source},
                             {QStringLiteral("channels"), f.channels}};
    return JsonText(object);
}

QString ImportText(const ImportFacts& f)
{
    QStringList lines;
    for (const channels::ReportLine& line : f.result.report)
        lines << line.shown();
    lines << f.result.notes;
    if (!f.written)
        lines << QStringLiteral("Import: %1 not written").arg(f.dataFile);
    else
        lines << QStringLiteral("Import: %1 channels from %2 written to %3").arg(f.result.channels).arg(f.list, f.dataFile);
    if (f.result.changed() && f.written)
        lines << QStringLiteral("Rows were changed or left out: the lines above name each.");
    return PrintableLines(lines);
}

QByteArray ImportJson(const ImportFacts& f)
{
    QJsonArray report;
    for (const channels::ReportLine& line : f.result.report)
        report.append(QJsonObject{{QStringLiteral("row"), line.row}, {QStringLiteral("text"), line.text}});
    const QJsonObject object{{QStringLiteral("operation"), QStringLiteral("import")},
                             {QStringLiteral("result"), ImportResultWord(f)},
                             {QStringLiteral("exitCode"), f.exitCode},
                             {QStringLiteral("list"), f.list},
                             {QStringLiteral("file"), f.dataFile},
                             {QStringLiteral("channels"), f.written ? f.result.channels : 0},
                             {QStringLiteral("report"), report},
                             {QStringLiteral("notes"), QJsonArray::fromStringList(f.result.notes)}};
    return JsonText(object);
}

}  // namespace talvex::cli
