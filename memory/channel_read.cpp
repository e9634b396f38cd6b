#include "memory/channel_read.h"

#include "link/format.h"
#include "link/frames.h"
#include "link/line_evidence.h"
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

// Requests in a row without one whole answer that end the reading of a channel: where nothing
// came but echoes, a radio that has gone away is known after three answer windows.
constexpr int kUnansweredRequests = 3;
// Reads of one channel after which answers that never agreed end the run. Two good reads always
// agree, so a channel is lost only where all but one read of the ten came back damaged or
// changed. On a line that turns over one bit in 200 bytes about one read in four does (its
// request and 48-byte answer); ten reads then lose a channel about three times in 100 000, five
// about once in 60, so a run of 99 channels came through only one time in five. A read beyond the
// first request costs one answer window, closed as soon as its answer is in, and runs to the
// window's deadline (250 ms and the line time, 370 ms at 4800 baud) only where the answer was lost,
// which three requests in a row end first: ten reads hold a channel for at most about 3.5 s there,
// while a silent radio is still known after three windows, however many reads are allowed.
constexpr int kMostReads = 10;

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

// Bytes came for a request that brought no whole answer, and the line broke them: a frame cut
// short or with a broken byte, an echo that shows the radio read another request than was sent,
// or any frame to TALVEX but the radio's OK or NG and a read answer of the channel's own shape (a
// read answer for another channel, one from a changed address). Nothing but echoes, OK or NG and
// broadcasts is silence; an answer of the channel's shape whose contents cannot be a channel is
// what the radio holds, not the line's doing.
bool Damaged(const Exchange& exchange, int channel)
{
    const auto field = ChannelField(QString::number(channel));
    const QByteArray own = OwnReceived(exchange);
    if (BytesOutsideFrames(own) > 0)
        return true;
    const QByteArray fromRadio = MakeBytes({kPreamble, kPreamble, kControllerAddress, exchange.radio});
    const auto broken = [&](const QByteArray& frame) {
        const bool echo = std::find(exchange.sent.begin(), exchange.sent.end(), frame) != exchange.sent.end();
        const bool broadcast = At(frame, 3) == kBroadcastAddress;
        const bool radios = frame.startsWith(fromRadio)
            && (IsOk(frame) || IsNg(frame) || MemoryReadAnswer({frame}, *field).has_value());
        return !echo && !broadcast && !radios;
    };
    const auto frames = FramesIn(own);
    return std::any_of(frames.begin(), frames.end(), broken);
}

QString GarbleText(const QString& evidence)
{
    return QStringLiteral("the line garbles bytes (") + evidence
        + QStringLiteral("): check the cable and its plugs, take the radio off any USB hub, and keep RF out of "
                         "the cable with a ferrite at each end");
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
    if (whole.empty()) {
        damagedInRow_ = (unanswered_ > 0 && damagedInRow_) || Damaged(exchange, channel_);
        ++unanswered_;
    } else {
        unanswered_ = 0;
    }
    std::optional<QByteArray> agreed;
    for (const QByteArray& answer : whole) {
        if (std::find(answers_.begin(), answers_.end(), answer) != answers_.end())
            agreed = answer;
        answers_.push_back(answer);
    }
    if (!agreed) {
        // Reads run out only where whole answers kept coming (three requests in a row without
        // one end it first), so reads that never agreed end it as the line's garble.
        if (unanswered_ >= kUnansweredRequests)
            return damagedInRow_ ? Verdict::Garbled : Verdict::Silent;
        if (reads_ >= kMostReads)
            return Verdict::Garbled;
        again_ = true;
        return Verdict::AskAgain;
    }
    const QByteArray& answer = *agreed;
    const auto shown = ChannelOfAnswer(answer);
    if (!shown) {
        record_.reset();
        line_ = FormatDataLine({channel_, QString(), QString(), QString(), QString(), QString()});
        return Verdict::Read;
    }
    record_ = shown->record;
    line_ = FormatDataLine({channel_, FrequencyText(shown->hz), ModeName(shown->mode()), FilterName(shown->filter()),
                            SelectMark(*record_), WritableLabel(shown->label())});
    return Verdict::Read;
}

QString ChannelRead::whyNot() const
{
    const QString reads = QString::number(reads_) + QStringLiteral(" reads");
    const QString answers = QStringLiteral("the radio's answers for channel ") + QString::number(channel_);
    if (unanswered_ < kUnansweredRequests)
        return GarbleText(answers + QStringLiteral(" did not agree in ") + reads);
    if (damagedInRow_)
        return GarbleText(answers + QStringLiteral(" came damaged in ") + reads);
    return QStringLiteral("the radio did not answer for channel ") + QString::number(channel_);
}

void ChannelRead::reset()
{
    channel_ = 0;
    reads_ = requests_ = unanswered_ = 0;
    damagedInRow_ = false;
    answers_.clear();
    again_ = false;
    line_.clear();
    record_.reset();
}

}  // namespace talvex
