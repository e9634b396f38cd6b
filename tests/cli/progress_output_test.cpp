// What talvex-mem shows while an operation runs and what its JSON report says.
#include "cli/progress_output.h"
#include "cli/report_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

namespace talvex::cli {
namespace {

// What was written to a temporary FILE.
class Captured {
public:
    Captured() : file_(std::tmpfile(), &std::fclose) {}
    std::FILE* file() const { return file_.get(); }
    QByteArray text() const
    {
        std::fflush(file_.get());
        std::rewind(file_.get());
        QByteArray all;
        char buffer[512];
        while (const auto n = std::fread(buffer, 1, sizeof buffer, file_.get()))
            all.append(buffer, static_cast<qsizetype>(n));
        return all;
    }

private:
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
};

// The bar is redrawn in place (each draw starts with a carriage return and holds no line end)
// and never reaches the terminal's last column, where the terminal would wrap it onto a new line
// at every update; a terminal that does not say its width gets 80 columns.
TEST(ProgressOutput, OnATerminalABarFitsTheWidthAndIsRedrawnInPlace)
{
    const struct {
        std::optional<int> columns;
        int width;  // of each draw, without its carriage return
        const char* starts;
    } rows[] = {
        {80, 79, "\r[######.............] Saving channel 33 of 99 before writin 115200 baud 0s left\r"},
        {std::nullopt, 79, "\r[######.............] Saving channel 33 of 99 before writin 115200 baud 0s left\r"},
        {200, 199, "\r[##########....................] Saving channel 33 of 99 before writing"},
        {40, 39, "\r[###.......] Saving channel 33 of 99 be\r"},
        {12, 11, "\rSaving chan\r"},
        {1, 1, "\rS\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.columns.value_or(0));
        Captured out;
        ProgressOutput progress(out.file(), ProgressStyle::Bar, 115200, [&row] { return row.columns; });
        progress.progress(QStringLiteral("Saving channel 33 of 99 before writing"), 33, 99);
        progress.progress(QStringLiteral("Saving channel 99 of 99 before \x1b[31mwriting"), 99, 99);
        progress.closeLine();
        const QByteArray text = out.text();
        EXPECT_TRUE(text.startsWith(row.starts)) << text.constData();
        ASSERT_TRUE(text.endsWith('\n'));
        const QList<QByteArray> draws = text.chopped(1).split('\r').mid(1);
        ASSERT_EQ(draws.size(), 2);
        for (const QByteArray& draw : draws)
            EXPECT_EQ(draw.size(), row.width) << draw.constData();
        EXPECT_FALSE(text.contains('\x1b'));
        if (row.width >= 79) {
            EXPECT_TRUE(draws.back().endsWith(" 115200 baud 0s left")) << draws.back().constData();
        }
    }
}

// Off a terminal (a pipe, a cron log) each stage is told at its start and at each quarter, a
// handful of lines for a run of 99 channels; with --quiet nothing at all.
TEST(ProgressOutput, OffATerminalAFewLinesAStageAndNoneWhenQuiet)
{
    for (const ProgressStyle style : {ProgressStyle::Lines, ProgressStyle::None}) {
        Captured out;
        ProgressOutput progress(out.file(), style, 19200);
        progress.setCommand(QStringLiteral("write"));  // the steps are named by the command
        for (int channel = 1; channel <= 99; ++channel) {
            progress.progress(QStringLiteral("Saving channel %1 of 99 before writing").arg(channel), channel, 99);
            progress.progress(QStringLiteral("Saving channel %1 of 99 before writing").arg(channel), channel, 99);
        }
        for (int channel = 1; channel <= 99; ++channel)
            progress.step(QStringLiteral("Update Rig"), channel, 99);
        progress.closeLine();
        EXPECT_EQ(out.text(), style == ProgressStyle::None ? QByteArray()
                                                           : "Saving channel 1 of 99 before writing\n"
                                                             "Saving channel 25 of 99 before writing\n"
                                                             "Saving channel 50 of 99 before writing\n"
                                                             "Saving channel 75 of 99 before writing\n"
                                                             "Saving channel 99 of 99 before writing\n"
                                                             "write: channel 1\n"
                                                             "write: channel 25\n"
                                                             "write: channel 50\n"
                                                             "write: channel 75\n"
                                                             "write: channel 99\n");
    }
}

// A skipped line is named, and is neither a failure nor a channel written.
TEST(ProgressOutput, TheReportNamesTheLastVerifiedChannelEachFailureAndEachSkippedLine)
{
    Captured out;
    ProgressOutput progress(out.file(), ProgressStyle::Lines, 19200);
    int ended = 0;
    progress.setEnded([&ended] { ++ended; });
    ChannelReport report;
    report.countUnchanged(QStringLiteral("written"), QStringLiteral("already as the file says"));
    for (const auto& [channel, why] : std::vector<std::pair<int, std::optional<QString>>>{
             {1, std::nullopt}, {7, QStringLiteral("the radio refused the write")}, {9, std::nullopt}}) {
        report.addVerdict(channel, why);
        why ? report.failed(channel, *why) : report.verified();
        progress.verdict(channel, why);
    }
    report.unchanged();
    report.skipped(20, 16, QStringLiteral("mode \"XYZ\" is no mode the radio has"));
    MemoryOutcome outcome;
    outcome.operation = QStringLiteral("Update Rig");
    outcome.report = report;
    outcome.counts = true;
    progress.ended(outcome);
    EXPECT_EQ(ended, 1);

    Options options;
    options.command = Command::Write;
    const ReportFacts facts{options, QStringLiteral("/radio/ch.txt"), QStringLiteral("/radio/BACKUP/b.TXT"),
                            progress.outcome(), false, 4};
    const QJsonObject json = QJsonDocument::fromJson(ReportJson(facts)).object();
    EXPECT_EQ(json.value("result").toString(), "not verified");
    EXPECT_EQ(json.value("written").toInt(), 3);
    EXPECT_EQ(json.value("verified").toInt(), 2);
    EXPECT_EQ(json.value("kept").toInt(), 1);
    EXPECT_EQ(json.value("lastVerified").toInt(), 9);
    EXPECT_EQ(json.value("exitCode").toInt(), 4);
    const QJsonArray failed = json.value("failed").toArray();
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0].toObject().value("channel").toInt(), 7);
    EXPECT_EQ(failed[0].toObject().value("why").toString(), "the radio refused the write");
    EXPECT_EQ(json.value("skipped").toArray(),
              (QJsonArray{QJsonObject{{"line", 20}, {"channel", 16}, {"why", "mode \"XYZ\" is no mode the radio has"}}}));
    EXPECT_EQ(ReportText(facts), "write: 2 of 3 channels written and verified, 1 already as the file says, 1 line skipped\n"
                                 "Channel 7: the radio refused the write\n"
                                 "Skipped line 20 (channel 16): mode \"XYZ\" is no mode the radio has\n"
                                 "Backup: /radio/BACKUP/b.TXT\n");
}

}  // namespace
}  // namespace talvex::cli
