#include "list_commands.h"

#include "exit_codes.h"
#include "file_operands.h"
#include "list_files.h"
#include "list_report.h"
#include "mem_command.h"

#include "channels/chirp_export.h"
#include "datafile/file_line.h"
#include "datafile/record_zone.h"
#include "startup/configuration.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace talvex::cli {

namespace {

// The data file the windows open at start: TALVEX.INI's [DeftFile]; nothing, said why, when
// there is none.
std::optional<QString> DefaultDataFile(const QString& workingDirectory, Output& output)
{
    const QString ini = QDir(workingDirectory).filePath(kConfigFileName);
    auto lines = ReadFileLines(ini);
    if (const QString* error = std::get_if<QString>(&lines)) {
        output.error(QStringLiteral("no --from or --from-radio, and ") + *error);
        return std::nullopt;
    }
    const auto deftFile = ParseConfiguration(std::get<QStringList>(lines)).deftFile;
    if (!deftFile || deftFile->trimmed().isEmpty()) {
        output.error(QStringLiteral("no --from or --from-radio, and TALVEX.INI names no data file"));
        return std::nullopt;
    }
    return DataFilePath(*deftFile, workingDirectory);
}

struct Channels {
    QByteArray csv;
    int count = 0;
};

Channels FromRecords(const QStringList& dataFileLines)
{
    std::vector<MemoryRecord> records;
    for (const QString& line : dataFileLines) {
        if (auto record = RecordZoneOf(line))
            records.push_back(*record);
    }
    return {channels::ChirpCsvOfRecords(records), static_cast<int>(records.size())};
}

Channels FromDataFile(const QStringList& lines)
{
    int count = 0;
    for (const QString& line : lines)
        count += channels::ChirpRowOfLine(line).has_value() ? 1 : 0;
    return {channels::ChirpCsvOfDataFile(lines), count};
}

}  // namespace

int RunExport(const Options& options, const QString& workingDirectory, Output& output)
{
    const bool toStandardOutput = options.file == kStandardStream;
    const QString csvPath = toStandardOutput ? QStringLiteral("standard output")
                                             : QFileInfo(QDir(workingDirectory), options.file).absoluteFilePath();
    if (toStandardOutput) {
        output.reportToStandardError();
    } else if (const auto why = WhyNotWritable(csvPath, workingDirectory)) {
        output.error(*why);
        return kExitFile;
    }
    QString source;
    QStringList lines;
    std::optional<InputFile> input;
    if (options.list.fromRadio) {
        // The read goes through a data file of its own, as `read` writes it: the CSV is
        // written only once every channel came in whole.
        const QTemporaryDir folder;
        if (!folder.isValid()) {
            output.error(QStringLiteral("no temporary folder for the radio's channels: ") + folder.errorString());
            return kExitFile;
        }
        const QString read = folder.filePath(QStringLiteral("RADIO.TXT"));
        if (const int code = ReadRecordsFromRadio(options, read, workingDirectory, output); code != kExitOk)
            return code;
        auto readLines = ReadFileLines(read);
        if (const QString* error = std::get_if<QString>(&readLines)) {
            output.error(*error);
            return kExitFile;
        }
        lines = std::get<QStringList>(readLines);
        source = QStringLiteral("radio");
    } else {
        if (options.list.from == kStandardStream) {
            auto opened = InputFile::Open(kStandardStream, workingDirectory, QStringLiteral("STDIN.TXT"));
            if (const QString* why = std::get_if<QString>(&opened)) {
                output.error(*why);
                return kExitFile;
            }
            input.emplace(std::move(std::get<InputFile>(opened)));
        } else if (options.list.from) {
            source = DataFilePath(*options.list.from, workingDirectory);
        } else {
            const auto found = DefaultDataFile(workingDirectory, output);
            if (!found)
                return kExitFile;
            source = *found;
        }
        auto readLines = ReadFileLines(input ? input->path() : source);
        if (input)
            source = input->shown();
        if (const QString* error = std::get_if<QString>(&readLines)) {
            output.error(*error);
            return kExitFile;
        }
        lines = std::get<QStringList>(readLines);
        if (std::none_of(lines.begin(), lines.end(), [](const QString& line) { return KindOf(line) == LineKind::Channel; })) {
            output.error(source + QStringLiteral(" has no channel lines: nothing was done"));
            return kExitFile;
        }
    }
    const Channels made = options.list.fromRadio ? FromRecords(lines) : FromDataFile(lines);
    if (toStandardOutput) {
        if (!output.data(made.csv)) {
            output.error(QStringLiteral("standard output cannot be written"));
            return kExitFile;
        }
    } else if (const auto error = ReplaceFileBytes(csvPath, made.csv)) {
        output.error(*error);
        return kExitFile;
    }
    const ExportFacts facts{csvPath, source, made.count};
    output.report(ExportText(facts), ExportJson(facts));
    return kExitOk;
}

}  // namespace talvex::cli
