#include "list_commands.h"

#include "exit_codes.h"
#include "list_files.h"
#include "list_report.h"

#include "channels/chirp_import.h"
#include "channels/eibi_import.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace talvex::cli {

int RunImport(const Options& options, const QString& workingDirectory)
{
    const QString listPath = QFileInfo(QDir(workingDirectory), options.file).absoluteFilePath();
    const QString dataPath = QFileInfo(QDir(workingDirectory), options.dataFile).absoluteFilePath();
    const auto bytes = ReadFileBytes(listPath);
    if (const QString* error = std::get_if<QString>(&bytes)) {
        PrintError(*error);
        return kExitFile;
    }
    channels::ImportOptions importOptions = options.list.import;
    importOptions.title = QFileInfo(dataPath).fileName();  // as `read` titles the file it writes
    const channels::ImportResult result =
        options.list.eibi ? channels::ImportEibi(std::get<QByteArray>(bytes), options.list.filter, importOptions)
                          : channels::ImportChirpCsv(std::get<QByteArray>(bytes), importOptions);
    const int code = result.changed() ? kExitChanged : kExitOk;
    if (!result.refused && result.channels == 0) {
        // A list that gives no channel (not a CHIRP file, a filter that let nothing through)
        // replaces no data file: with --full it would be 99 blank lines, which Update Rig
        // would clear the radio with.
        const ImportFacts facts{listPath, dataPath, result, false, kExitFile};
        PrintOut(options.json, ImportText(facts), ImportJson(facts));
        PrintError(listPath + QStringLiteral(" gives no channel: ") + dataPath + QStringLiteral(" was not written"));
        return kExitFile;
    }
    if (!result.refused) {
        if (const auto error = ReplaceFileLines(dataPath, result.lines)) {
            PrintError(*error);
            return kExitFile;
        }
    }
    const ImportFacts facts{listPath, dataPath, result, !result.refused, code};
    PrintOut(options.json, ImportText(facts), ImportJson(facts));
    return code;
}

}  // namespace talvex::cli
