#include "radio/window/radio_fields.h"

#include "link/format.h"
#include "link/radio_model.h"

#include <span>

namespace talvex {

namespace {

const QString kBlank = QStringLiteral(" ");

}  // namespace

QString RadioFieldTexts::SMeterLevel(int high, int low)
{
    struct Step {
        int from;
        const char* text;
    };
    static constexpr Step kLow[] = {{150, "S7"}, {125, "S6"}, {100, "S5"}, {80, "S4"},
                                    {60, "S3"},  {40, "S2"},  {25, "S1"},  {0, "S0"}};
    static constexpr Step kHigh[] = {{145, "S9 + 50db"}, {130, "S9 + 40db"}, {115, "S9 + 30db"},
                                     {85, "S9 + 20db"},  {50, "S9 + 10db"},  {25, "S9"},
                                     {10, "S8"},         {0, "S7"}};
    if (high >= 2)
        return QStringLiteral("VERY POWERFUL");
    for (const Step& step : high == 0 ? std::span<const Step>(kLow) : std::span<const Step>(kHigh)) {
        if (low >= step.from)
            return QString::fromLatin1(step.text);
    }
    return {};
}

void RadioFieldTexts::answerRead(const RadioReading& reading)
{
    std::visit([this](const auto& value) { show(value); }, reading);
}

void RadioFieldTexts::broadcastRead(const BroadcastReading& reading)
{
    if (reading.mode)
        showMode(*reading.mode);
    if (reading.filter)
        showFilter(*reading.filter);
    if (reading.hz)
        fields_.Text1 = FrequencyText(*reading.hz);
    fields_.Text2.clear();
    fields_.Text3.clear();
    fields_.Text6.clear();
}

void RadioFieldTexts::show(const RigId& id)
{
    // The window spaces out the dash of the radio's name.
    fields_.Text6 = QStringLiteral("RIG ID = ") + QString::number(id.id) + QStringLiteral(" (")
        + RadioName().replace(u'-', QStringLiteral(" - ")) + u')';
}

void RadioFieldTexts::show(const ClockTime& time)
{
    fields_.Text6 = QStringLiteral("TIME = ") + FormatTime(time.hours, time.minutes);
}

void RadioFieldTexts::show(const CallSign& call) { fields_.Text6 = QStringLiteral("MY CALL = ") + call.call; }

void RadioFieldTexts::show(const TransmitState& state)
{
    fields_.Text6 = QStringLiteral("RxTx = ") + QString::number(state.value);
}

void RadioFieldTexts::show(const SquelchState& squelch) { fields_.Text6 = SquelchText(squelch.value); }

void RadioFieldTexts::show(const SMeterReading& meter)
{
    fields_.Text6 = QStringLiteral("S-Meter = ") + SMeterLevel(meter.high, meter.low);
}

void RadioFieldTexts::show(const FrequencyReading& frequency)
{
    fields_.Text1 = FrequencyText(frequency.hz);
    fields_.Text2 = fields_.Text3 = kBlank;
    if (frequency.afterSet)
        fields_.Text6 = kBlank;
}

void RadioFieldTexts::show(const ModeReading& mode)
{
    showMode(mode.mode);
    if (mode.filter)
        showFilter(*mode.filter);
    fields_.Text2 = fields_.Text3 = kBlank;
    if (mode.afterSet)
        fields_.Text6 = kBlank;
}

void RadioFieldTexts::show(const BandEdges& edges)
{
    fields_.Text1 = FrequencyText(upperEdgeNext_ ? edges.upperHz : edges.lowerHz);
    fields_.Text2 = fields_.Text3 = fields_.Text4 = fields_.Text5 = fields_.Text6 = kBlank;
    upperEdgeNext_ = !upperEdgeNext_;
}

void RadioFieldTexts::show(const NothingHeld&) { blankDisplay(); }

void RadioFieldTexts::show(const ChannelShown& shown)
{
    const ChannelReading& c = shown.channel;
    if (c.channel)
        fields_.Text2 = ChannelName(*c.channel);
    fields_.Text1 = FrequencyText(c.hz);
    showMode(c.mode());
    showFilter(c.filter());
    // A channel in any of the select groups is marked; a stray byte leaves the mark as it was.
    if (c.select() == 0)
        fields_.Text3 = kBlank;
    else if (c.select() <= kRadio.selectGroups)
        fields_.Text3 = QStringLiteral("*");
    fields_.Text6 = c.label();
}

void RadioFieldTexts::show(const BlankChannel&) { blankDisplay(); }

void RadioFieldTexts::showMode(int code)
{
    if (const QString name = ModeName(code); !name.isEmpty())
        fields_.Text4 = name;
}

void RadioFieldTexts::showFilter(int code)
{
    if (const QString name = FilterName(code); !name.isEmpty())
        fields_.Text5 = name;
}

void RadioFieldTexts::blankDisplay()
{
    fields_.Text1 = fields_.Text2 = fields_.Text3 = fields_.Text4 = fields_.Text5 = fields_.Text6 = kBlank;
}

void RadioFieldTexts::switchAutoStatusCaption()
{
    QString& caption = fields_.AutoStatusCaption;
    caption = caption != u"Enable Auto Status" ? QStringLiteral("Enable Auto Status") : QStringLiteral("Disable Auto Status");
}

}  // namespace talvex
