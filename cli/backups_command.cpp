#include "mem_command.h"

#include "exit_codes.h"
#include "printable.h"

#include "memory/backup_files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace talvex::cli {

int ListBackups(const QString& workingDirectory, Output& output)
{
    const QString folder = QDir(workingDirectory).filePath(kBackupFolder);
    QStringList complete;
    QJsonArray incomplete;
    for (const BackupOnDisk& backup : BackupsIn(folder)) {
        if (!backup.incomplete) {
            complete << backup.path;
            continue;
        }
        // Never offered for a restore: named, so that the operator can look and delete it.
        output.note(backup.path + QStringLiteral(" is not a complete backup (") + *backup.incomplete
                    + QStringLiteral("): not listed"));
        incomplete.append(QJsonObject{{QStringLiteral("file"), backup.path}, {QStringLiteral("why"), *backup.incomplete}});
    }
    const QJsonObject object{{QStringLiteral("operation"), QStringLiteral("backups")},
                             {QStringLiteral("result"), QStringLiteral("listed")},
                             {QStringLiteral("exitCode"), kExitOk},
                             {QStringLiteral("folder"), folder},
                             {QStringLiteral("backups"), QJsonArray::fromStringList(complete)},
                             {QStringLiteral("incomplete"), incomplete}};
    output.report(PrintableLines(complete), JsonText(object));
    return kExitOk;
}

}  // namespace talvex::cli
