#include "list_commands.h"

#include "exit_codes.h"
#include "file_operands.h"
#include "list_files.h"
#include "list_report.h"

#include "channels/chirp_import.h"
#include "channels/eibi_import.h"

#include <QDir>
#include <QFileInfo>


namespace talvex::cli {

int RunImport(const Options& options, const QString& workingDirectory, Output& output)
{
    auto list = InputFile::Open(options.file, workingDirectory, QStringLiteral("STDIN.CSV"));
    if (const QString* why = std::get_if<QString>(&list)) {
        output.error(*why);
        return kExitFile;
    }
    const InputFile& listFile = std::get<InputFile>(list);
    const QString listPath = listFile.shown();
    const QString dataPath = QFileInfo(QDir(workingDirectory), options.dataFile).absoluteFilePath();
    if (const auto why = WhyNotWritable(dataPath, workingDirectory)) {
        output.error(*why);
        return kExitFile;
    }
    const auto bytes = ReadFileBytes(listFile.path());
    if (const QString* error = std::get_if<QString>(&bytes)) {
        output.error(*error);
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
        output.error(listPath + QStringLiteral(" gives no channel: ") + dataPath + QStringLiteral(" was not written"));
        const ImportFacts facts{listPath, dataPath, result, false, kExitFile};
        output.report(ImportText(facts), ImportJson(facts));
        return kExitFile;
    }
    if (!result.refused) {
        if (const auto error = ReplaceFileLines(dataPath, result.lines)) {
            output.error(*error);
            return kExitFile;
        }
    }
    const ImportFacts facts{listPath, dataPath, result, !result.refused, code};
    output.report(ImportText(facts), ImportJson(facts));
    return code;
}

}  // namespace talvex::cli
