#include "memory/channel_read.h"

#include "link/frames.h"
#include "link/radio_answers.h"
#include "memory/channel_checks.h"
#include "datafile/data_line.h"

#include <algorithm>

namespace talvex {

namespace {


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

// A channel is taken from two reads that agree; reads beyond this many give it up.
constexpr int kMostReads = 5;
// Requests without one whole answer that mean the radio is not answering.
constexpr int kUnansweredRequests = 3;

// The channel's answers in this exchange that are whole and readable.
std::vector<QByteArray> ChannelAnswers(const Exchange& exchange, int channel)
{
    const auto field = ChannelField(QString::number(channel));
    std::vector<QByteArray> whole;
    for (const QByteArray& answer : RadioAnswers(OwnReceived(exchange), exchange.radio)) {
        const auto read = MemoryReadAnswer({answer}, *field);
        if (read && (IsBlankChannelAnswer(*read) || ContentsReadable(ContentsOfAnswer(*read))))
            whole.push_back(*read);
    }
    return whole;
}

}  // namespace

void ChannelRead::send(int channel)
{
    if (channel != channel_) {
        reads_ = requests_ = unanswered_ = 0;
        answers_.clear();
    }
    channel_ = channel;
    again_ = false;
    ++requests_;
    // Two reads in the first request: they agree at once when the line is clean.
    const int reads = reads_ == 0 ? 2 : 1;
    for (int i = 0; i < reads; ++i)
        c_.radio.readChannel(channel);
    reads_ += reads;
}

ChannelRead::Verdict ChannelRead::check(const Exchange& exchange)
{
    const std::vector<QByteArray> whole = ChannelAnswers(exchange, channel_);
    if (whole.empty())
        ++unanswered_;
    std::optional<QByteArray> agreed;
    for (const QByteArray& answer : whole) {
        if (std::find(answers_.begin(), answers_.end(), answer) != answers_.end())
            agreed = answer;
        answers_.push_back(answer);
    }
    if (!agreed) {
        again_ = unanswered_ < kUnansweredRequests && reads_ < kMostReads;
        return again_ ? Verdict::AskAgain : Verdict::Silent;
    }
    const QByteArray& answer = *agreed;
    const MemoryFields shown = ShownFromAnswer(answer, channel_);
    if (IsBlankChannelAnswer(answer)) {
        record_.reset();
        line_ = FormatDataLine({channel_, QString(), QString(), QString(), QString(), QString()});
        return Verdict::Read;
    }
    record_ = MemoryRecord::from(ContentsOfAnswer(answer));
    line_ = FormatDataLine(
        {channel_, shown.Text3, shown.Text4, shown.Text5, SelectMark(*record_), WritableLabel(shown.Text6)});
    return Verdict::Read;
}

QString ChannelRead::whyNot() const
{
    if (answers_.empty())
        return QStringLiteral("the radio did not answer for channel ") + QString::number(channel_);
    return QStringLiteral("the radio's answers for channel ") + QString::number(channel_)
        + QStringLiteral(" did not agree in ") + QString::number(reads_) + QStringLiteral(" reads");
}

void ChannelRead::reset()
{
    channel_ = 0;
    reads_ = requests_ = unanswered_ = 0;
    answers_.clear();
    again_ = false;
    line_.clear();
    record_.reset();
}

}  // namespace talvex
