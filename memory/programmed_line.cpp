#include "memory/programmed_line.h"

#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"

namespace talvex {

ParsedLine ParseProgrammedLine(const QString& line, int channel)
{
    const QString frequencyField = Columns(line, 15, 22);
    const auto digits = FrequencyDigitsOf(frequencyField);
    const auto frequency = digits ? FrequencyField(*digits) : std::nullopt;
    const QString mode = DisplayOf(line).mode;
    const QString filterText = Columns(line, 47, 47).trimmed();
    // An empty filter is filter 2, the memory write's own default.
    const auto filter = filterText.isEmpty() ? std::optional<int>(2) : WholeNumberIn(filterText, 1, 3);
    const QString label = Columns(line, 71, 80).leftJustified(10, u' ');
    if (!frequency)
        return {std::nullopt, QStringLiteral("frequency \"") + frequencyField + u'"'};
    const auto modeCode = ModeCode(mode.isEmpty() ? QStringLiteral("AM") : mode);
    if (!modeCode)
        return {std::nullopt, QStringLiteral("mode \"") + mode + u'"'};
    if (!filter)
        return {std::nullopt, QStringLiteral("filter \"") + filterText + u'"'};
    if (!IsPrintableLabel(label))
        return {std::nullopt, QStringLiteral("label")};

    ProgrammedLine parsed{*ChannelField(QString::number(channel)),
                          {*frequency, *modeCode, *filter, Columns(line, 57, 57) == u"Y", label},
                          RecordZoneOf(line)};
    if (parsed.record && parsed.record->channelField() != parsed.channelField)
        parsed.record.reset();
    return {parsed, QString()};
}

}  // namespace talvex
