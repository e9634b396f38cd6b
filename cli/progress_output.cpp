#include "progress_output.h"

#include "printable.h"

#include <algorithm>

namespace talvex::cli {

namespace {

constexpr int kWidestBar = 30;
constexpr int kNarrowestBar = 10;

// The stage a progress text tells, its numbers left out: a new stage starts a new count.
QString StageOf(const QString& what)
{
    QString stage;
    for (const QChar c : what)
        stage += c.isDigit() ? QString() : QString(c);
    return stage;
}

}  // namespace

ProgressOutput::ProgressOutput(std::FILE* out, ProgressStyle style, int baud, std::function<std::optional<int>()> columns)
    : out_(out), style_(style), baud_(baud), columns_(std::move(columns))
{
    clock_.start();
}

void ProgressOutput::progress(const QString& what, int done, int of)
{
    if (style_ == ProgressStyle::None || what == lastShown_)
        return;
    lastShown_ = what;
    if (style_ == ProgressStyle::Lines)
        writeLine(what, done, of);
    else
        drawBar(what, done, of);
}

void ProgressOutput::step(const QString& operation, int channel, int of)
{
    progress((command_.isEmpty() ? operation : command_) + QStringLiteral(": channel ") + QString::number(channel), channel, of);
}

void ProgressOutput::writeLine(const QString& what, int done, int of)
{
    const QString stage = StageOf(what);
    const int quarter = of > 0 ? std::clamp(done * 4 / of, 0, 4) : 0;
    if (stage == stage_ && quarter <= quarter_)
        return;
    stage_ = stage;
    quarter_ = quarter;
    std::fprintf(out_, "%s\n", Printable(what).toUtf8().constData());
    std::fflush(out_);
}

void ProgressOutput::drawBar(const QString& what, int done, int of)
{
    const int columns = columns_ ? columns_().value_or(kDefaultColumns) : kDefaultColumns;
    const int room = std::max(1, (columns > 0 ? columns : kDefaultColumns) - 1);
    // The time left, as the steps so far went: the line's pace, not a guess.
    const qint64 elapsed = clock_.elapsed();
    const qint64 left = done > 0 && of > done ? elapsed * (of - done) / done / 1000 : 0;
    const QString rate = QStringLiteral(" %1 baud %2s left").arg(baud_).arg(left);
    int barWidth = std::clamp(room / 4, kNarrowestBar, kWidestBar);
    QString tail = rate;
    // The text keeps room for at least a few words; the rate and time go first, then the bar.
    if (room - (barWidth + 3) - static_cast<int>(tail.size()) < 20)
        tail.clear();
    if (room - (barWidth + 3) < 12)
        barWidth = 0;
    QString line;
    if (barWidth > 0) {
        const int filled = of > 0 ? std::clamp(done * barWidth / of, 0, barWidth) : 0;
        line = u'[' + QString(filled, u'#') + QString(barWidth - filled, u'.') + QStringLiteral("] ");
    }
    const int textRoom = std::max(0, room - static_cast<int>(line.size() + tail.size()));
    line += Printable(what).left(textRoom).leftJustified(textRoom, u' ') + tail;
    // Padded to the whole room, so a shorter text leaves nothing of the longer one before it.
    std::fprintf(out_, "\r%s", line.left(room).leftJustified(room, u' ').toUtf8().constData());
    std::fflush(out_);
    lineOpen_ = true;
}

void ProgressOutput::verdict(int channel, const std::optional<QString>& why)
{
    if (!why) {
        outcome_.lastVerified = channel;
        return;
    }
    outcome_.failures.push_back({channel, why});
}

void ProgressOutput::ended(const MemoryOutcome& outcome)
{
    outcome_.end = outcome.finished() ? Outcome::End::Finished : Outcome::End::Stopped;
    outcome_.operation = outcome.operation;
    outcome_.why = outcome.why;
    if (outcome.stopped)
        outcome_.stopKind = *outcome.stopped;
    outcome_.report = outcome.report;
    outcome_.backup = outcome.backup;
    outcome_.advice = outcome.advice;
    closeLine();
    if (ended_)
        ended_();
}

// Whatever the progress style: it is word of the operator's file, not of the progress.
void ProgressOutput::dataFileSaid(const FileNotice& notice)
{
    closeLine();
    std::fprintf(out_, "talvex-mem: %s: %s\n", Printable(notice.title).toUtf8().constData(),
                 Printable(notice.text).toUtf8().constData());
    std::fflush(out_);
}

void ProgressOutput::closeLine()
{
    if (!lineOpen_)
        return;
    std::fputc('\n', out_);
    std::fflush(out_);
    lineOpen_ = false;
}

}  // namespace talvex::cli
