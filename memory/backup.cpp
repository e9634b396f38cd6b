#include "memory/backup.h"

#include "datafile/data_file.h"
#include "datafile/record_zone.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace talvex {

namespace {

// "20261207-142501.TXT" or "20261207-142501-2.TXT": the backups, and nothing else in the folder.
const QRegularExpression& BackupNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d{1,6}))?\\.TXT$"));
    return pattern;
}

QString CannotSave(const QString& why, const QString& operation)
{
    return QStringLiteral("The channels could not be saved before writing: ") + why + QStringLiteral(" ... ")
        + operation + QStringLiteral(" wrote nothing to the radio.");
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

void PruneBackups(const QString& directory, int keep, const QString& justMade)
{
    // Oldest first: by the time in the name, then by the suffix of a second backup in that second.
    std::vector<std::pair<std::pair<QString, int>, QString>> backups;
    const QDir folder(directory);
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files)) {
        const QString name = file.fileName();
        const auto match = BackupNamePattern().match(name);
        if (match.hasMatch() && name != justMade && file.size() > 0)
            backups.push_back({{match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()}, name});
    }
    std::sort(backups.begin(), backups.end());
    const auto excess = static_cast<std::ptrdiff_t>(backups.size()) - (keep - 1);
    for (std::ptrdiff_t i = 0; i < excess; ++i)
        QFile::remove(folder.filePath(backups[static_cast<std::size_t>(i)].second));
}

ChannelBackup::ChannelBackup(OperationContext& context, QString workingDirectory)
    : c_(context), directory_(JoinPath(workingDirectory, kBackupFolder)), read_(context)
{
}

ChannelBackup::~ChannelBackup() { releaseClaim(); }

std::optional<QString> ChannelBackup::open(std::vector<int> channels)
{
    discard();
    held_.clear();
    if (enabled()) {
        if (!QDir().mkpath(directory_))
            return QStringLiteral("the folder ") + directory_ + QStringLiteral(" cannot be created");
        const QDir folder(directory_);
        // The name is taken by creating it, never by looking first: two processes (two radios,
        // one folder) that back up in the same second each get a name of their own. A name that
        // cannot be created and is not there either is a failure, not a name in use.
        std::optional<FileError> notClaimed;
        const QString name = BackupFileName(clock_->now(), [&folder, &notClaimed](const QString& file) {
            notClaimed = CreateNewFile(folder.filePath(file));
            return notClaimed && folder.exists(file);
        });
        path_ = folder.filePath(name);
        if (notClaimed)
            return ErrorCodeText(*notClaimed, {path_});
        claimed_ = path_;
        if (const auto error = file_.open(path_)) {
            releaseClaim();
            return ErrorCodeText(*error, {path_});
        }
        for (const QString& line : DataFileHead(name))
            file_.writeLine(line);
    }
    channels_ = std::move(channels);
    next_ = 0;
    read_.reset();
    reading_ = true;
    return std::nullopt;
}

void ChannelBackup::sendNext()
{
    if (read_.wantsAgain()) {
        read_.sendAgain();
        return;
    }
    c_.state.showBackupProgress((enabled() ? QStringLiteral("Saving channel %1 of %2 before writing") : readingText_)
                                    .arg(next_ + 1)
                                    .arg(channels_.size()));
    read_.send(channels_[next_++]);
}

std::optional<QString> ChannelBackup::check(const Exchange& exchange)
{
    switch (read_.check(exchange)) {
    case ChannelRead::Verdict::AskAgain: return std::nullopt;
    case ChannelRead::Verdict::Silent: return read_.whyNot();
    case ChannelRead::Verdict::Read: break;
    }
    held_[read_.channel()] = read_.record();
    if (!file_.isOpen())
        return std::nullopt;
    const QString line = read_.record() ? WithRecordZone(read_.line(), *read_.record()) : read_.line();
    if (file_.writeLine(line))
        return std::nullopt;
    // The write failed (a full disk): commit gives the failure and throws the file away.
    const auto error = file_.commit();
    return ErrorCodeText(error.value_or(FileError{kErrorFileAccess, QString()}), {path_});
}

std::optional<QString> ChannelBackup::commit()
{
    reading_ = false;
    if (!file_.isOpen())
        return std::nullopt;
    for (const QString& line : DataFileTail())
        file_.writeLine(line);
    if (const auto error = file_.commit())
        return ErrorCodeText(*error, {path_});
    claimed_.clear();  // the complete backup stands in the claimed name now
    lastPath_ = path_;
    PruneBackups(directory_, kBackupsKept, QFileInfo(path_).fileName());
    return std::nullopt;
}

void ChannelBackup::releaseClaim()
{
    if (!claimed_.isEmpty())
        QFile::remove(claimed_);
    claimed_.clear();
}

void ChannelBackup::discard()
{
    file_.discard();
    reading_ = false;
    releaseClaim();
    channels_.clear();
    next_ = 0;
    read_.reset();
}

std::optional<std::optional<MemoryRecord>> ChannelBackup::held(int channel) const
{
    const auto found = held_.find(channel);
    if (found == held_.end())
        return std::nullopt;
    return found->second;
}

BackedUpStepper::BackedUpStepper(OperationContext& context, bool& flag, QString name, ChannelBackup& backup)
    : Stepper(context, flag, std::move(name)), backup_(backup)
{
}

void BackedUpStepper::reset()
{
    Stepper::reset();
    backup_.discard();
}

bool BackedUpStepper::saveFirst(const std::vector<int>& channels)
{
    if (channels.empty())
        return true;
    if (const auto why = backup_.open(channels)) {
        c_.dialogs.critical(name(), notSaved(*why));
        return false;
    }
    return true;
}

QString BackedUpStepper::notSaved(const QString& why) const { return CannotSave(why, name()); }

void BackedUpStepper::dropUnfinishedBackup() { backup_.discard(); }

void BackedUpStepper::step()
{
    if (backup_.isOpen()) {
        if (!backup_.allRead()) {
            expectAnswer();
            backup_.sendNext();
            return;
        }
        if (const auto why = backup_.commit()) {
            stopSaving(*why);
            return;
        }
    }
    changeStep();
}

void BackedUpStepper::check(const Exchange& exchange)
{
    if (!backup_.isOpen()) {
        checkChange(exchange);
        return;
    }
    if (const auto why = backup_.check(exchange))
        stopSaving(*why);
}

void BackedUpStepper::stopSaving(const QString& why)
{
    backup_.discard();
    // The channel last read for the backup is not the radio's to show: nothing was changed.
    MemoryFields& m = c_.state.memory;
    for (QString* field : {&m.Text1, &m.Text2, &m.Text3, &m.Text4, &m.Text5, &m.Text6})
        field->clear();
    halt(notSaved(why));
}

}  // namespace talvex
