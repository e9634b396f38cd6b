#pragma once

// Data-file lines written out by hand for the expectations: each field at the start of its
// 14-column zone, the record's 82 hexadecimal digits from column 85. And what an import gave,
// as lines to compare with them.

#include "channels/import_report.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* os) { *os << texts.join(u'|').toStdString(); }

namespace talvex::testing {

inline QString Line(int channel, const QString& frequency, const QString& mode, const QString& filter,
                    const QString& select, const QString& label)
{
    return QStringLiteral(" %1 ").arg(channel).leftJustified(14) + frequency.leftJustified(14) + mode.leftJustified(14)
        + filter.leftJustified(14) + select.leftJustified(14) + label;
}

inline QString WithZone(const QString& line, const QString& hex) { return line.leftJustified(84) + hex; }

// The channel lines of an imported data file: after title, heading and an empty line, before
// an empty line, the heading, an empty line and END.
inline QStringList ChannelLinesOf(const channels::ImportResult& result) { return result.lines.mid(3, result.lines.size() - 7); }

// The report as the command line shows it, line by line ("row 7: mode WFM written as FM").
inline QStringList ReportLinesOf(const channels::ImportResult& result)
{
    QStringList shown;
    for (const channels::ReportLine& line : result.report)
        shown << line.shown();
    return shown;
}

}  // namespace talvex::testing
