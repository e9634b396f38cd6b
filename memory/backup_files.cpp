#include "memory/backup_files.h"

#include "datafile/data_file_frame.h"
#include "datafile/data_line.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "link/frames.h"
#include "memory/update_plan.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace talvex {

namespace {

const QRegularExpression& BackupNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d{1,6}))?\\.TXT$"));
    return pattern;
}

const QRegularExpression& ClaimNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\.\\d{8}-\\d{6}(?:-\\d{1,6})?\\.TXT\\.part$"));
    return pattern;
}

// Oldest first: by the time in the name, then by the suffix of a second backup in that second.
std::pair<QString, int> AgeOf(const QString& name)
{
    const auto match = BackupNamePattern().match(name);
    return {match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()};
}

QString RightTrimmed(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

bool SameLine(const QString& line, const QString& expected) { return RightTrimmed(line) == RightTrimmed(expected); }

QString LineName(qsizetype index) { return QStringLiteral("line %1").arg(index + 1); }

// The channel lines between the heading and the closing heading: why not, or nothing.
std::optional<QString> WhyNotChannelLines(const QStringList& lines, qsizetype first, qsizetype end)
{
    if (first >= end)
        return QStringLiteral("it holds no channel line");
    std::set<int> seen;
    for (qsizetype i = first; i < end; ++i) {
        const QString& line = lines[i];
        const auto channel = ChannelNamedBy(line);
        if (!channel)
            return LineName(i) + QStringLiteral(" is not a channel line");
        if (!seen.insert(*channel).second)
            return QStringLiteral("channel %1 is in it twice (%2)").arg(*channel).arg(LineName(i));
        if (IsEmptyFrequency(Columns(line, 15, 22)))
            continue;  // a blank channel's line carries no record
        const auto record = RecordZoneOf(line);
        if (!record)
            return LineName(i) + QStringLiteral(" (channel %1) does not carry its whole record from column %2")
                                     .arg(*channel)
                                     .arg(kRecordZoneColumn);
        if (ChannelOfField(record->channelField()) != channel)
            return LineName(i) + QStringLiteral(" (channel %1) carries another channel's record").arg(*channel);
    }
    return std::nullopt;
}

}  // namespace

QString BackupFileName(const QDateTime& time, const std::function<bool(const QString&)>& taken)
{
    const QString stamp = time.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stamp + QStringLiteral(".TXT");
    for (int suffix = 2; taken(name); ++suffix)
        name = stamp + u'-' + QString::number(suffix) + QStringLiteral(".TXT");
    return name;
}

bool IsBackupName(const QString& fileName) { return BackupNamePattern().match(fileName).hasMatch(); }

QString ClaimName(const QString& backupName) { return u'.' + backupName + QStringLiteral(".part"); }

std::optional<QString> WhyNotACompleteBackup(const QStringList& lines)
{
    if (lines.isEmpty())
        return QStringLiteral("it is empty");
    const QString& title = lines.front();
    if (!title.left(70).trimmed().isEmpty() || title.mid(70).trimmed().isEmpty())
        return QStringLiteral("its first line is not a backup's title line");
    const QStringList head = DataFileHead(QString());
    const QStringList tail = DataFileTail();
    if (lines.size() < head.size() || !SameLine(lines[1], head[1]) || !SameLine(lines[2], head[2]))
        return QStringLiteral("it lacks the heading after its title");
    const auto end = std::find_if(lines.begin(), lines.end(), [](const QString& line) { return KindOf(line) == LineKind::End; });
    if (end == lines.end())
        return QStringLiteral("it ends before its END line: the backup was cut short");
    const qsizetype endIndex = end - lines.begin();
    const qsizetype channelsEnd = endIndex - (tail.size() - 1);
    if (channelsEnd < head.size() || !SameLine(*end, tail.back()))
        return QStringLiteral("its END line is not where a backup has it");
    for (qsizetype i = 0; i + 1 < tail.size(); ++i) {
        if (!SameLine(lines[channelsEnd + i], tail[i]))
            return QStringLiteral("it lacks the heading before its END line");
    }
    return WhyNotChannelLines(lines, head.size(), channelsEnd);
}

std::optional<QString> WhyNotARestorableBackup(const QString& path, const QStringList& lines)
{
    const QFileInfo file(path);
    if (!IsBackupName(file.fileName()) || file.dir().dirName().compare(kBackupFolder, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const auto why = WhyNotACompleteBackup(lines);
    if (!why)
        return std::nullopt;
    return path + QStringLiteral(" is not a complete backup: ") + *why;
}

std::vector<BackupOnDisk> BackupsIn(const QString& directory)
{
    const QDir folder(directory);
    std::vector<BackupOnDisk> backups;
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (!IsBackupName(name))
            continue;
        const QString path = folder.filePath(name);
        const auto lines = ReadAllLines(path);
        backups.push_back({name, path, lines ? WhyNotACompleteBackup(*lines) : QStringLiteral("it cannot be read")});
    }
    std::sort(backups.begin(), backups.end(),
              [](const BackupOnDisk& a, const BackupOnDisk& b) { return AgeOf(a.name) < AgeOf(b.name); });
    return backups;
}

void PruneBackups(const QString& directory, int keep, const QString& justMade)
{
    const QDir folder(directory);
    // The disk's clock, not the program's: the time the backup just made was written.
    const QDateTime now = QFileInfo(folder.filePath(justMade)).lastModified();
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (ClaimNamePattern().match(file.fileName()).hasMatch() && now.isValid()
            && file.lastModified().secsTo(now) > kStaleClaimSeconds)
            QFile::remove(file.filePath());
    }
    std::vector<std::pair<std::pair<QString, int>, QString>> backups;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files)) {
        const QString name = file.fileName();
        if (IsBackupName(name) && name != justMade && file.size() > 0)
            backups.push_back({AgeOf(name), name});
    }
    std::sort(backups.begin(), backups.end());
    const auto excess = static_cast<std::ptrdiff_t>(backups.size()) - (keep - 1);
    for (std::ptrdiff_t i = 0; i < excess; ++i)
        QFile::remove(folder.filePath(backups[static_cast<std::size_t>(i)].second));
}

}  // namespace talvex
