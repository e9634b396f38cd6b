#include "file_operands.h"

#include "options.h"

#include "platform/standard_streams.h"
#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace talvex::cli {

std::optional<QString> WhyNotWritable(const QString& path, const QString& workingDirectory)
{
    if (IsConfigurationFile(path, workingDirectory))
        return path + QStringLiteral(" is TALVEX's configuration file, never written over: choose another name");
    if (const auto error = NotARegularFile(path))
        return path + QStringLiteral(" cannot be written: ") + error->description;
    if (!QFileInfo(path).dir().exists())
        return path + QStringLiteral(" cannot be written: Path not found");
    return std::nullopt;
}

InputFile::InputFile(QString path, QString shown, std::unique_ptr<QTemporaryDir> folder)
    : path_(std::move(path)), shown_(std::move(shown)), folder_(std::move(folder))
{
}

InputFile::InputFile(InputFile&&) noexcept = default;
InputFile& InputFile::operator=(InputFile&&) noexcept = default;
InputFile::~InputFile() = default;

std::variant<InputFile, QString> InputFile::Open(const QString& operand, const QString& workingDirectory,
                                                 const QString& name)
{
    if (operand != kStandardStream) {
        const QString path = QFileInfo(QDir(workingDirectory), operand).absoluteFilePath();
        return InputFile(path, path, nullptr);
    }
    const QString shown = QStringLiteral("standard input");
    // A terminal would wait for typing that never comes from a script.
    if (IsTerminal(StandardStream::Input))
        return shown + QStringLiteral(" is a terminal: give a file, or - with a file or pipe on standard input");
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        return QStringLiteral("no temporary folder for standard input: ") + folder->errorString();
    const auto bytes = ReadStandardInput(kLargestTextFile);
    if (const FileError* error = std::get_if<FileError>(&bytes))
        return shown + QStringLiteral(" cannot be read: ") + error->description;
    const QString path = folder->filePath(name);
    QFile file(path);
    const QByteArray& read = std::get<QByteArray>(bytes);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(read) != read.size() || !file.flush())
        return shown + QStringLiteral(" cannot be kept: ") + file.errorString();
    return InputFile(path, shown, std::move(folder));
}

}  // namespace talvex::cli
