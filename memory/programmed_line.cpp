#include "memory/programmed_line.h"

#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/radio_model.h"

namespace talvex {

ParsedLine ParseProgrammedLine(const QString& line, int channel)
{
    const QString frequencyField = Columns(line, 15, 22);
    const auto digits = FrequencyDigitsOf(frequencyField);
    const auto frequency = digits ? FrequencyField(*digits) : std::nullopt;
    const QString mode = DisplayOf(line).mode;
    const QString filterText = Columns(line, 47, 47).trimmed();
    const QString label = Columns(line, 71, 70 + kRadio.labelLength).leftJustified(kRadio.labelLength, u' ');
    if (!frequency)
        return {std::nullopt, QStringLiteral("frequency \"") + frequencyField + QStringLiteral("\" is not MM.KKK.H"),
                LinePart::Frequency};
    if (const std::int64_t hz = digits->toLongLong() * 100; !kRadio.holdsFrequency(hz))
        return {std::nullopt, QStringLiteral("frequency ") + frequencyField.trimmed() + QStringLiteral(" is outside ")
                                  + MemoryRangeText() + QStringLiteral(": the radio refuses it"),
                LinePart::Frequency};
    // A line cut short, or a zone left empty, is never filled in with defaults: the channel
    // would be written as something the operator never asked for.
    if (mode.isEmpty())
        return {std::nullopt, QStringLiteral("the mode zone (column 29) is empty"), LinePart::Mode};
    const auto modeCode = ModeCode(mode);
    if (!modeCode)
        return {std::nullopt, QStringLiteral("mode \"") + mode + QStringLiteral("\" is no mode the radio has"), LinePart::Mode};
    if (filterText.isEmpty())
        return {std::nullopt, QStringLiteral("the filter zone (column 43) is empty"), LinePart::Filter};
    const auto filter = WholeNumberIn(filterText, 1, kRadio.filters);
    if (!filter)
        return {std::nullopt,
                QStringLiteral("filter \"") + filterText + QStringLiteral("\" is not ") + ChoicesText(NumbersUpTo(kRadio.filters)),
                LinePart::Filter};
    if (!IsPrintableLabel(label))
        return {std::nullopt, QStringLiteral("the label has characters the radio cannot show"), LinePart::Label};

    ProgrammedLine parsed{*ChannelField(QString::number(channel)),
                          {*frequency, *modeCode, *filter, Columns(line, 57, 57) == u"Y", label},
                          RecordZoneOf(line)};
    if (parsed.record && parsed.record->channelField() != parsed.channelField)
        parsed.record.reset();
    return {parsed, QString(), LinePart::Frequency};
}

}  // namespace talvex
