#include "memory/channel_read.h"

#include "link/frames.h"
#include "link/radio_answers.h"
#include "memory/channel_checks.h"
#include "memory/data_line.h"

namespace talvex {

namespace {

// A channel whose answer is missing or damaged is asked for again until it was read this often.
constexpr int kReadsPerChannel = 3;

// A radio name may hold control bytes or bytes above 7E; written as they are they would split
// the line or make a label no memory write takes back, so each becomes a blank.
QString WritableLabel(QString label)
{
    for (QChar& c : label) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            c = u' ';
    }
    return label;
}

// A channel in any of the three select groups is marked.
QString SelectMark(const MemoryRecord& record)
{
    return record.select() == 0 ? QStringLiteral("   ") : QStringLiteral("Yes");
}

// The channel's answer when it is whole and readable.
std::optional<QByteArray> ChannelAnswer(const Exchange& exchange, int channel)
{
    const auto field = ChannelField(QString::number(channel));
    const auto answer = MemoryReadAnswer(RadioAnswers(OwnReceived(exchange)), *field);
    if (!answer || (!IsBlankChannelAnswer(*answer) && !ContentsReadable(ContentsOfAnswer(*answer))))
        return std::nullopt;
    return answer;
}

}  // namespace

void ChannelRead::send(int channel)
{
    if (channel != channel_)
        tries_ = 0;
    ++tries_;
    channel_ = channel;
    again_ = false;
    c_.state.ChannelText = QString::number(channel);
    c_.state.EntriesPreset = true;
    c_.radio.Option45_Click();
}

ChannelRead::Verdict ChannelRead::check(const Exchange& exchange)
{
    const auto answer = ChannelAnswer(exchange, channel_);
    if (!answer) {
        again_ = tries_ < kReadsPerChannel;
        return again_ ? Verdict::AskAgain : Verdict::Silent;
    }
    const MemoryFields shown = ShownFromAnswer(*answer, QString::number(channel_));
    if (IsBlankChannelAnswer(*answer)) {
        record_.reset();
        line_ = FormatDataLine({channel_, QString(), QString(), QString(), QString(), QString()});
        return Verdict::Read;
    }
    record_ = MemoryRecord::from(ContentsOfAnswer(*answer));
    line_ = FormatDataLine(
        {channel_, shown.Text3, shown.Text4, shown.Text5, SelectMark(*record_), WritableLabel(shown.Text6)});
    return Verdict::Read;
}

void ChannelRead::reset()
{
    channel_ = 0;
    tries_ = 0;
    again_ = false;
    line_.clear();
    record_.reset();
}

}  // namespace talvex
