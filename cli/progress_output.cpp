#include "progress_output.h"

namespace talvex::cli {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

ProgressOutput::ProgressOutput(std::FILE* out, bool terminal, int baud) : out_(out), terminal_(terminal), baud_(baud)
{
    clock_.start();
}

void ProgressOutput::progress(const QString& what, int done, int of)
{
    if (what == lastShown_)
        return;
    lastShown_ = what;
    if (!terminal_) {
        std::fprintf(out_, "%s\n", qPrintable(what));
        std::fflush(out_);
        return;
    }
    const int filled = of > 0 ? std::clamp(done * kBarWidth / of, 0, kBarWidth) : 0;
    // The time left, as the steps so far went: the line's pace, not a guess.
    const qint64 elapsed = clock_.elapsed();
    const qint64 left = done > 0 && of > done ? elapsed * (of - done) / done / 1000 : 0;
    std::fprintf(out_, "\r[%s%s] %-42s %6d baud %4llds left", QByteArray(filled, '#').constData(),
                 QByteArray(kBarWidth - filled, '.').constData(), qPrintable(what.left(42)), baud_,
                 static_cast<long long>(left));
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

void ProgressOutput::finished(const QString& operation, const ChannelReport& report)
{
    outcome_.end = Outcome::End::Finished;
    outcome_.operation = operation;
    outcome_.report = report;
    closeLine();
    if (ended_)
        ended_();
}

void ProgressOutput::stopped(const QString& operation, const QString& why)
{
    outcome_.end = Outcome::End::Stopped;
    outcome_.operation = operation;
    outcome_.why = why;
    closeLine();
    if (ended_)
        ended_();
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
