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

TEST(ProgressOutput, OnATerminalABarIsRedrawnInPlaceWithTheRate)
{
    Captured out;
    ProgressOutput progress(out.file(), true, 115200);
    progress.progress(QStringLiteral("Saving channel 33 of 99 before writing"), 33, 99);
    progress.progress(QStringLiteral("Saving channel 99 of 99 before writing"), 99, 99);
    progress.closeLine();
    const QByteArray text = out.text();
    EXPECT_TRUE(text.startsWith("\r[##########....................] Saving channel 33 of 99")) << text.constData();
    EXPECT_TRUE(text.contains("115200 baud")) << text.constData();
    EXPECT_TRUE(text.contains("\r[##############################] Saving channel 99 of 99")) << text.constData();
    EXPECT_TRUE(text.endsWith("0s left\n")) << text.constData();
}

TEST(ProgressOutput, OffATerminalEachStepIsOnePlainLineShownOnce)
{
    Captured out;
    ProgressOutput progress(out.file(), false, 19200);
    for (const int channel : {1, 1, 2})
        progress.progress(QStringLiteral("Create File: channel %1").arg(channel), channel, 99);
    EXPECT_EQ(out.text(), "Create File: channel 1\nCreate File: channel 2\n");
}

TEST(ProgressOutput, TheReportNamesTheLastVerifiedChannelAndEachFailure)
{
    Captured out;
    ProgressOutput progress(out.file(), false, 19200);
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
    progress.finished(QStringLiteral("Update Rig"), report);
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
    EXPECT_EQ(ReportText(facts), "Update Rig: 2 of 3 channels written and verified, 1 already as the file says\n"
                                 "Channel 7: the radio refused the write\n"
                                 "Backup: /radio/BACKUP/b.TXT\n");
}

}  // namespace
}  // namespace talvex::cli
