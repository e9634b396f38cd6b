#include "memory/channel_checks.h"

#include "link/bcd.h"
#include "link/format.h"
#include "link/frames.h"
#include "link/memory_record.h"
#include "link/radio_answers.h"
#include "memory/channel_merge.h"

#include <algorithm>

namespace talvex {

namespace {

// Positions inside the contents bytes (from 0), those of the receive side.
constexpr int kFrequencyAt = record::kFirstSet + record::kFrequency;
constexpr int kModeAt = record::kFirstSet + record::kMode;
constexpr int kFilterAt = record::kFirstSet + record::kFilter;
constexpr int kNameAt = record::kName;
constexpr int kNameSize = record::kNameSize;

std::uint8_t ByteOf(const QByteArray& contents, int index) { return static_cast<std::uint8_t>(contents[index]); }

QString FrequencyText(const QByteArray& contents)
{
    return FormatFrequency(BcdToDecimal(ByteOf(contents, kFrequencyAt + 3)),
                           BcdToDecimal(ByteOf(contents, kFrequencyAt + 2)),
                           BcdToDecimal(ByteOf(contents, kFrequencyAt + 1)));
}

QString ModeText(const QByteArray& contents)
{
    const QString name = ModeName(ByteOf(contents, kModeAt));
    return name.isEmpty() ? QStringLiteral("mode %1").arg(ByteOf(contents, kModeAt), 2, 16, QChar(u'0')) : name;
}

QString FilterText(const QByteArray& contents) { return QStringLiteral("Fil ") + QString::number(ByteOf(contents, kFilterAt)); }

QString NameText(const QByteArray& contents)
{
    const QString name = QString::fromLatin1(contents.mid(kNameAt, kNameSize)).trimmed();
    return name.isEmpty() ? QStringLiteral("no label") : name;
}

QString SelectText(const QByteArray& contents) { return QStringLiteral("select %1").arg(ByteOf(contents, record::kSelect)); }

QString ToneText(const QByteArray& contents)
{
    return QStringLiteral("data/tone ") + contents.mid(record::kFirstSet + record::kDataTone, 7).toHex(' ').toUpper();
}

QString TransmitText(const QByteArray& contents)
{
    const QByteArray set = contents.mid(record::kSecondSet, record::kSetSize);
    return QStringLiteral("transmit ") + FrequencyTextOf(set.left(5)) + u' ' + ModeName(ByteOf(set, record::kMode));
}

std::optional<QByteArray> WrittenContents(const Exchange& exchange)
{
    const QByteArray writeStart = CivPrefix(exchange.radio) + QByteArray::fromHex("1A00");
    for (const QByteArray& frame : exchange.sent) {
        if (frame.startsWith(writeStart) && frame.size() == writeStart.size() + kMemoryContentsSize + 1)
            return frame.mid(writeStart.size(), kMemoryContentsSize);
    }
    return std::nullopt;
}

bool AnyRefused(const std::vector<QByteArray>& answers)
{
    return std::any_of(answers.begin(), answers.end(), [](const QByteArray& a) { return IsNg(a); });
}

}  // namespace

QByteArray OwnReceived(const Exchange& exchange)
{
    if (exchange.sent.empty())
        return exchange.received;
    const qsizetype echo = exchange.received.indexOf(exchange.sent.front());
    return echo < 0 ? exchange.received : exchange.received.mid(echo);
}

bool HeardButNotAnswered(const Exchange& exchange, const QByteArray& channelField)
{
    if (exchange.sent.empty() || !exchange.received.contains(exchange.sent.front()))
        return false;
    return !MemoryReadAnswer(RadioAnswers(OwnReceived(exchange), exchange.radio), channelField).has_value();
}

std::optional<QString> WriteNotVerified(const Exchange& exchange, const QByteArray& channelField)
{
    const auto written = WrittenContents(exchange);
    if (!written)
        return QStringLiteral("not written");
    const auto answers = RadioAnswers(OwnReceived(exchange), exchange.radio);
    if (AnyRefused(answers))
        return QStringLiteral("the radio refused the write");
    return ReadBackNotVerified(exchange, *written, channelField);
}

std::optional<QString> ReadBackNotVerified(const Exchange& exchange, const QByteArray& writtenContents,
                                           const QByteArray& channelField)
{
    const std::optional<QByteArray> written = writtenContents;
    const auto answers = RadioAnswers(OwnReceived(exchange), exchange.radio);
    const auto readBack = MemoryReadAnswer(answers, channelField);
    if (!readBack)
        return kNoAnswer;
    if (IsBlankChannelAnswer(*readBack))
        return QStringLiteral("the radio holds a blank channel");

    const QByteArray held = ContentsOfAnswer(*readBack);
    QStringList radio, file;
    // A part whose words read the same on both sides (a frequency below 100 Hz, a tone byte the
    // text leaves out) is told by its bytes as well, so the operator sees what differs.
    auto compare = [&](int at, int size, QString (*text)(const QByteArray&)) {
        const QByteArray heldPart = held.mid(at, size), writtenPart = written->mid(at, size);
        if (heldPart == writtenPart)
            return;
        QString radioText = text(held), fileText = text(*written);
        if (radioText == fileText) {
            radioText += QStringLiteral(" (") + QString::fromLatin1(heldPart.toHex(' ').toUpper()) + u')';
            fileText += QStringLiteral(" (") + QString::fromLatin1(writtenPart.toHex(' ').toUpper()) + u')';
        }
        radio << radioText;
        file << fileText;
    };
    compare(kFrequencyAt, 5, FrequencyText);
    compare(kModeAt, 1, ModeText);
    compare(kFilterAt, 1, FilterText);
    compare(kNameAt, kNameSize, NameText);
    compare(record::kSelect, 1, SelectText);
    compare(record::kFirstSet + record::kDataTone, 7, ToneText);
    compare(record::kSecondSet, record::kSetSize, TransmitText);
    if (radio.isEmpty() && held != *written)
        return QStringLiteral("the radio holds other bytes than were written");
    if (radio.isEmpty())
        return std::nullopt;
    return QStringLiteral("the radio holds ") + radio.join(u' ') + QStringLiteral(", the file says ")
        + file.join(u' ');
}

std::optional<QString> ClearNotVerified(const Exchange& exchange, int frames)
{
    const auto answers = RadioAnswers(OwnReceived(exchange), exchange.radio);
    if (AnyRefused(answers))
        return QStringLiteral("the radio refused the clear");
    const auto oks = std::count_if(answers.begin(), answers.end(), [](const QByteArray& a) { return IsOk(a); });
    if (oks < frames)
        return kNoAnswer;
    return std::nullopt;
}

void ChannelReport::failed(int channel, const QString& why)
{
    failures_ << QStringLiteral("Channel ") + QString::number(channel) + QStringLiteral(": ") + why;
}

void ChannelReport::overwritten(int channel, const QString& why)
{
    const QString line = QStringLiteral("Channel ") + QString::number(channel) + QStringLiteral(": ") + why;
    // Verified earlier in this run: it no longer holds what was verified.
    const auto earlier = std::find_if(verdicts_.rbegin(), verdicts_.rend(),
                                      [channel](const ChannelVerdict& v) { return v.channel == channel; });
    if (earlier != verdicts_.rend() && !earlier->why) {
        earlier->why = why;
        --verified_;
        failures_ << line;
        return;
    }
    overwritten_[channel] = line;
}

QString ChannelSkip::text() const
{
    QString where = QStringLiteral("line ") + QString::number(line);
    if (channel != 0)
        where += QStringLiteral(" (channel ") + QString::number(channel) + u')';
    return where + QStringLiteral(": ") + why;
}

void ChannelReport::note(int channel, const QString& what)
{
    notes_ << QStringLiteral("Channel ") + QString::number(channel) + QStringLiteral(": ") + what;
}

QString ChannelReport::summary(const QString& operation) const
{
    const auto checked = verified_ + failures_.size();
    const QString skipped = skips_.empty() ? QString()
                                           : QStringLiteral(", ") + QString::number(skips_.size())
            + (skips_.size() == 1 ? QStringLiteral(" line skipped") : QStringLiteral(" lines skipped"));
    if (already_.isEmpty())
        return operation + QStringLiteral(": ") + QString::number(verified_) + QStringLiteral(" of ")
            + QString::number(checked) + QStringLiteral(" channels verified") + skipped;
    const QString changed = failures_.isEmpty()
        ? QString::number(verified_)
        : QString::number(verified_) + QStringLiteral(" of ") + QString::number(checked);
    return operation + QStringLiteral(": ") + changed + (checked == 1 ? QStringLiteral(" channel") : QStringLiteral(" channels"))
        + u' ' + changed_ + QStringLiteral(" and verified, ") + QString::number(unchanged_) + u' ' + already_ + skipped;
}

QString ChannelReport::details() const
{
    QStringList all = failures_;
    for (const auto& [channel, line] : overwritten_)
        all << line;
    for (const ChannelSkip& skip : skips_)
        all << QStringLiteral("Skipped ") + skip.text();
    all << notes_;
    QStringList shown = all.mid(0, kListedChannels);
    if (all.size() > kListedChannels)
        shown << QStringLiteral("... and ") + QString::number(all.size() - kListedChannels) + QStringLiteral(" more");
    return shown.join(u'\n');
}

std::optional<int> ChannelWrittenInstead(const Exchange& exchange, const QByteArray& channelField)
{
    // A write as the radio reads it: FE FE 94 E0 1A 00, the 41 bytes of a channel, FD.
    const QByteArray head = CivPrefix(exchange.radio) + QByteArray::fromHex("1A00");
    constexpr qsizetype kWriteFrameSize = 6 + kMemoryContentsSize + 1;
    const QByteArray& received = exchange.received;
    for (qsizetype at = received.indexOf(head); at >= 0; at = received.indexOf(head, at + 1)) {
        if (received.size() - at < kWriteFrameSize || received[at + kWriteFrameSize - 1] != '\xFD')
            continue;
        const QByteArray field = received.mid(at + head.size(), 2);
        if (field == channelField)
            continue;
        if (const auto channel = ChannelOfField(field))
            return channel;
    }
    return std::nullopt;
}

bool ChannelLedger::record(int channel, const std::optional<QString>& why)
{
    if (why == kNoAnswer || why == kNotInTime) {
        if (silentRun_++ == 0)
            firstSilent_ = channel;
    } else {
        silentRun_ = 0;
    }
    report_.addVerdict(channel, why);
    if (why)
        report_.failed(channel, *why);
    else
        report_.verified();
    return silentRun_ >= kSilentChannelsToStop;
}

}  // namespace talvex
