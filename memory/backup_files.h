#pragma once

// The backup files in BACKUP as files: their names, the claim a backup is written under, which
// ones are complete, which are kept. Nothing here talks to the radio.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace talvex {

// Backups live in this folder of the working directory; the newest ones are kept.
inline const QString kBackupFolder = QStringLiteral("BACKUP");
inline constexpr int kBackupsKept = 50;
// A claim file older than this (by the disk's own clock) is one a crash left, never one still
// being written: a backup of 99 channels takes under half a minute even at 4800 baud.
inline constexpr qint64 kStaleClaimSeconds = 24 * 60 * 60;

// "20261207-142501.TXT" for `time`; when `taken` says that name is in use, "20261207-142501-2.TXT"
// and on, so two backups in the same second never share a file.
QString BackupFileName(const QDateTime& time, const std::function<bool(const QString&)>& taken);
// "20261207-142501.TXT" or "20261207-142501-2.TXT": a backup's name, and nothing else in the folder.
bool IsBackupName(const QString& fileName);
// The name a backup is written under until it is complete: ".20261207-142501.TXT.part", which no
// listing of backups takes for one.
QString ClaimName(const QString& backupName);

// Why `lines` (a file's lines, without their ends) are not a complete backup, in the operator's
// words ("it ends before its END line"); nothing when they are one. A complete backup is what
// ChannelBackup writes: the title and heading lines, one line a channel, each channel once, every
// programmed channel's line carrying a well-formed record of that same channel from column 85,
// then the closing heading and END.
std::optional<QString> WhyNotACompleteBackup(const QStringList& lines);

// The path a data file was opened from is a backup (a file named like one in a folder named
// BACKUP), and `lines` are not a complete one: why, as Update Rig and restore refuse it. Nothing
// for any other file, and for a complete backup.
std::optional<QString> WhyNotARestorableBackup(const QString& path, const QStringList& lines);

// A file in the backup folder named like a backup: complete, or why not.
struct BackupOnDisk {
    QString name;
    QString path;
    std::optional<QString> incomplete;
};
// The files named like backups in `directory`, oldest first (by the time in the name, then by the
// suffix of a second backup in that second). Claims are never among them.
std::vector<BackupOnDisk> BackupsIn(const QString& directory);

// Removes the oldest backups in `directory` until `keep` are left, `justMade` among them
// whatever the other names say (a clock once set ahead names backups after today's). Only
// files named as backups are counted or removed; whatever else the operator put there stays,
// and so does an empty one (a name an older version claimed as an empty file). Claim files a
// crash left, older than kStaleClaimSeconds beside `justMade`, are removed; younger ones may
// still be written by another program and stay.
void PruneBackups(const QString& directory, int keep, const QString& justMade);

}  // namespace talvex
