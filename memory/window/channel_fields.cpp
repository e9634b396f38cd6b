#include "memory/window/channel_fields.h"

#include "datafile/file_line.h"
#include "link/format.h"
#include "link/radio_model.h"

namespace talvex {

namespace {

const QString kSixBlanks = QStringLiteral("      ");

template <class... Shows>
struct Overloaded : Shows... {
    using Shows::operator()...;
};

}  // namespace

void MemoryChannelFields::answerRead(const RadioReading& reading)
{
    std::visit(Overloaded{
                   [this](const ChannelShown& shown) {
                       if (!shown.written)
                           showChannel(shown.channel);
                   },
                   [this](const BlankChannel& blank) { showBlank(blank.channelAsked); },
                   [this](const CallSign& call) { fields_.Text6 = QStringLiteral("HELLO ") + call.call; },
                   [this](const SquelchState& squelch) { showMessage(SquelchText(squelch.value)); },
                   [](const auto&) {},
               },
               reading);
}

// A value the radio has no text for shows an empty field, never the channel shown before.
void MemoryChannelFields::showChannel(const ChannelReading& c)
{
    MemoryFields& m = fields_;
    m.Text1 = c.channel ? ChannelName(*c.channel) : QString();
    m.Text2 = c.select() == 0 ? QStringLiteral(" ") : c.select() <= kRadio.selectGroups ? QStringLiteral("*") : QString();
    m.Text3 = FrequencyText(c.hz);
    m.Text4 = ModeName(c.mode());
    m.Text5 = FilterName(c.filter());
    m.Text6 = c.label();
    showMessage(m.Text1 + kSixBlanks + m.Text2 + kSixBlanks + m.Text3 + kSixBlanks + m.Text4 + kSixBlanks + m.Text5
                + kSixBlanks + m.Text6);
}

void MemoryChannelFields::showMessage(const QString& text)
{
    fields_.Text7 = !advice_.isEmpty() ? advice_.last() : !backupProgress_.isEmpty() ? backupProgress_ : text;
}

void MemoryChannelFields::adviceGiven(const QString& advice)
{
    advice_.append(advice);
    showMessage(advice);
}

void MemoryChannelFields::backupProgress(const ReadingProgress& reached)
{
    backupProgress_ = ReadingProgressText(reached);
    showMessage(backupProgress_);
}

// What stood for the run goes with it.
void MemoryChannelFields::ended(const MemoryOutcome&)
{
    advice_.clear();
    backupProgress_.clear();
}

void MemoryChannelFields::dataFileShown(const QString& path)
{
    fields_.Text8 = path;
    fields_.Text8Bold = true;
}

void MemoryChannelFields::openingDone(OpeningDone opening)
{
    fields_.Text7 = opening == OpeningDone::Startup ? QStringLiteral("Open Process Complete")
                                                          : QStringLiteral("Setup Process Complete");
}

void MemoryChannelFields::operatorGreeted(const QString& callSign)
{
    fields_.Text6 = QStringLiteral("Hello ") + callSign;
}

void MemoryChannelFields::showBlank(std::optional<int> channelAsked)
{
    MemoryFields& m = fields_;
    m.Text3.clear();
    m.Text1 = channelAsked ? QString::number(*channelAsked) : QString();
    m.Text2.clear();
    m.Text4.clear();
    m.Text5.clear();
    m.Text6.clear();
    showMessage(QStringLiteral("Blank"));
}

void MemoryChannelFields::lineReached(const QString& line)
{
    const LineDisplay shown = DisplayOf(line);
    MemoryFields& m = fields_;
    m.Text1 = shown.channel;
    m.Text3 = shown.frequency;
    m.Text4 = shown.mode;
    m.Text5 = shown.filter;
    m.Text2 = shown.select;
    m.Text6 = shown.label;
    m.Text7 = line;
}

void MemoryChannelFields::endReached()
{
    MemoryFields& m = fields_;
    m.clearShown();
    m.Text1 = QStringLiteral("END");
    m.Text7 = QStringLiteral("END");
}

void MemoryChannelFields::channelWithdrawn()
{
    MemoryFields& m = fields_;
    for (QString* field : {&m.Text1, &m.Text2, &m.Text3, &m.Text4, &m.Text5, &m.Text6})
        field->clear();
}

void MemoryChannelFields::channelUnanswered(int channel)
{
    MemoryFields& m = fields_;
    m.clearShown();
    m.Text1 = QString::number(channel);
    m.Text7 = QStringLiteral("No answer for channel ") + m.Text1;
}

void MemoryChannelFields::channelClearing(int channel)
{
    MemoryFields& m = fields_;
    m.Text1 = QString::number(channel);
    m.Text7 = QStringLiteral("Clearing Memory Channel ") + m.Text1;
}

}  // namespace talvex
