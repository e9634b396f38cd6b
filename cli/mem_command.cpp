#include "mem_command.h"

#include "exit_codes.h"
#include "cli_dialogs.h"
#include "diff_report.h"
#include "progress_output.h"
#include "report_text.h"

#include "app/program.h"
#include "memory/backup.h"
#include "datafile/file_line.h"
#include "platform/interrupt_signal.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_timer.h"
#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <unistd.h>

namespace talvex::cli {

namespace {

// The command line opens no window: start-up's questions for windows are never asked.
class NoWindows final : public WindowShell {
public:
    void showSplash() override {}
    void showSetup() override {}
};

void Fail(const QString& text) { std::fprintf(stderr, "talvex-mem: %s\n", qPrintable(text)); }

// Where the radio is: the command line's --port and --baud, else TALVEX.INI's, read with the
// program's own reader.
struct Line {
    QString port;      // "COMn" or a device path
    QString settings;  // "19200,N,8,1"
    int baud = 0;
};

std::variant<Line, int> LineFor(const Options& options, const QString& workingDirectory)
{
    Line line;
    if (!options.port || !options.baud) {
        const QString path = QDir(workingDirectory).filePath(kConfigFileName);
        TextFile file;
        if (const auto error = file.open(path, FileMode::Input)) {
            Fail(QStringLiteral("no --port and --baud, and %1 cannot be read: %2").arg(path, error->description));
            return kExitFile;
        }
        QStringList lines;
        while (auto text = file.readLine())
            lines << *text;
        const ConfigurationValues values = ParseConfiguration(lines);
        line.port = values.commPort.value_or(QString());
        line.settings = values.commBaud.value_or(QString());
    }
    if (options.port)
        line.port = *options.port;
    if (options.baud)
        line.settings = QString::number(*options.baud) + QStringLiteral(",N,8,1");
    line.baud = line.settings.section(u',', 0, 0).toInt();
    if (line.port.isEmpty() || line.baud <= 0) {
        Fail(QStringLiteral("TALVEX.INI names no port or rate: give --port and --baud"));
        return kExitUsage;
    }
    if (!IsRadioRate(line.baud)) {
        Fail(QStringLiteral("TALVEX.INI's rate %1 is not one of the radio's").arg(line.baud));
        return kExitUsage;
    }
    return line;
}

// A data file to write from must be there, readable, and name at least one channel.
std::optional<int> CheckSourceFile(const QString& path)
{
    TextFile file;
    if (const auto error = file.open(path, FileMode::Input)) {
        Fail(QStringLiteral("%1 cannot be read: %2").arg(path, error->description));
        return kExitFile;
    }
    while (auto line = file.readLine()) {
        if (KindOf(*line) == LineKind::End)
            break;
        if (KindOf(*line) == LineKind::Channel && !ChannelTextOf(*line).trimmed().isEmpty()
            && ChannelTextOf(*line).trimmed().at(0).isDigit())
            return std::nullopt;
    }
    Fail(path + QStringLiteral(" has no channel lines: nothing was done"));
    return kExitFile;
}

// A stopped Create File takes the old file up again, as the window's current data file: where
// there was none, an empty one stands in for it, and goes again unless the read completes.
class Placeholder {
public:
    explicit Placeholder(QString path) : path_(std::move(path))
    {
        QFile file(path_);
        made_ = file.open(QIODevice::NewOnly | QIODevice::WriteOnly);
    }
    ~Placeholder()
    {
        if (made_ && !kept_ && QFileInfo(path_).size() == 0)
            QFile::remove(path_);
    }
    Placeholder(const Placeholder&) = delete;
    Placeholder& operator=(const Placeholder&) = delete;
    bool made() const { return made_; }
    void keep() { kept_ = true; }

private:
    QString path_;
    bool made_ = false;
    bool kept_ = false;
};

// A halt names its cause in the operator's words; the radio's silence and a closed port are the
// radio's, the rest (a file that cannot be written, a backup that cannot be made) the disk's.
int ExitForStop(const QString& why)
{
    if (why.contains(QStringLiteral("did not answer")) || why.contains(QStringLiteral("serial port")))
        return kExitNoRadio;
    return kExitFile;
}

QString BackupPath(const QString& name, const QString& workingDirectory)
{
    if (QFileInfo(name).isFile())
        return QFileInfo(name).absoluteFilePath();
    return QDir(workingDirectory).filePath(kBackupFolder + u'/' + name);
}

// What Update Rig would change, as read from the radio; 0 only when every channel was read.
int PrintDiff(const Options& options, const QString& file, const CompareRig& comparison, const Outcome& outcome,
              bool interrupted)
{
    const bool complete = !interrupted && comparison.complete();
    int code = kExitOk;
    if (interrupted)
        code = kExitInterrupted;
    else if (!complete)
        code = kExitNoRadio;  // the file was read before the run: only the radio can end it early
    const DiffFacts facts{file, comparison.plans(), complete, outcome.why, interrupted, code};
    const QByteArray text = options.json ? DiffJson(facts) : DiffText(facts).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
    return code;
}

}  // namespace

int ListBackups(const QString& workingDirectory)
{
    const QDir folder(QDir(workingDirectory).filePath(kBackupFolder));
    const QStringList names = folder.entryList({QStringLiteral("*.TXT")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        std::printf("%s\n", qPrintable(folder.filePath(name)));
    return kExitOk;
}

namespace {

// `readInto`: the file a read goes to, instead of the one the command names; the report is
// printed only for the command's own file.
int RunOnRadio(const Options& options, const QString& workingDirectory, const std::optional<QString>& readInto);

}  // namespace

int RunCommand(const Options& options, const QString& workingDirectory)
{
    return RunOnRadio(options, workingDirectory, std::nullopt);
}

int ReadRecordsFromRadio(const Options& options, const QString& file, const QString& workingDirectory)
{
    Options read = options;
    read.command = Command::Read;
    read.records = true;
    return RunOnRadio(read, workingDirectory, file);
}

namespace {

int RunOnRadio(const Options& options, const QString& workingDirectory, const std::optional<QString>& readInto)
{
    const auto line = LineFor(options, workingDirectory);
    if (const int* code = std::get_if<int>(&line))
        return *code;
    const Line& radioLine = std::get<Line>(line);

    QString file;
    if (options.command == Command::Read) {
        file = readInto.value_or(QFileInfo(QDir(workingDirectory), options.file).absoluteFilePath());
    } else if (options.command == Command::Write || options.command == Command::Restore
               || options.command == Command::Diff) {
        file = options.command == Command::Restore ? BackupPath(options.file, workingDirectory)
                                                   : QFileInfo(QDir(workingDirectory), options.file).absoluteFilePath();
        if (const auto code = CheckSourceFile(file))
            return *code;
    }

    QtSerialPort port(workingDirectory);
    const bool byNumber = radioLine.port.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive);
    if (!byNumber)
        port.setDevicePath(radioLine.port);
    CliDialogs dialogs;
    QtTimerFactory timers;
    ProcessExit exit;
    QtClock clock;
    NoWindows windows;
    Program program(PlatformServices{port, dialogs, timers, exit, workingDirectory, &clock}, windows);
    ProgramState& state = program.state;
    state.ConfigCommPort = byNumber ? radioLine.port.toUpper() : QStringLiteral("COM1");
    state.ConfigCommBaud = radioLine.settings;
    if (const auto error = port.open(byNumber ? PortNumber(state.ConfigCommPort) : 1, radioLine.settings)) {
        Fail(QStringLiteral("the port %1 cannot be opened: %2").arg(radioLine.port, error->description));
        return kExitNoRadio;
    }
    state.PortReady = 1;
    port.readAll();  // nothing from before this moment is an answer

    ProgressOutput progress(stderr, ::isatty(STDERR_FILENO) == 1, radioLine.baud);
    MemoryOperations& memory = program.memory;
    memory.setListener(&progress);
    memory.setLinePacedThroughout(true);
    bool interrupted = false;
    progress.setEnded([] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
    InterruptSignal interrupt([&](int) {
        // A signal after the end changes nothing: the report stands as the engine gave it.
        if (interrupted || progress.outcome().end != Outcome::End::Running)
            return;
        interrupted = true;
        memory.interrupt();
        QCoreApplication::exit(0);
    });

    std::optional<Placeholder> placeholder;
    if (options.command == Command::Read && !QFileInfo::exists(file)) {
        placeholder.emplace(file);
        if (!placeholder->made()) {
            Fail(file + QStringLiteral(" cannot be written"));
            return kExitFile;
        }
    }
    state.CurrentDataFile = file;
    state.CurrentFileName = QFileInfo(file).fileName();
    switch (options.command) {
    case Command::Read:
        memory.setCreateWithRecords(options.records);
        memory.Command1_Click();
        break;
    case Command::Write:
    case Command::Restore: memory.Command3_Click(); break;
    case Command::Diff: {
        const auto lines = ReadAllLines(file);
        if (!lines) {
            Fail(file + QStringLiteral(" cannot be read"));
            return kExitFile;
        }
        memory.compareRig(*lines);
        break;
    }
    case Command::Blank:
        dialogs.setInputs({QString::number(options.first), QString::number(options.last)});
        memory.Command5_Click();
        break;
    default: return kExitUsage;
    }
    if (!state.anyMemoryOperationRunning() && progress.outcome().end == Outcome::End::Running) {
        // It did not start: the engine has said why (a file or backup that cannot be opened).
        return kExitFile;
    }
    // The first step goes at once, not at the window's next 300 ms tick; the steps after it go
    // as each answer is in.
    memory.paceTimer().setEnabled(true);
    if (progress.outcome().end == Outcome::End::Running)
        QCoreApplication::exec();
    progress.closeLine();
    port.close();

    const Outcome& outcome = progress.outcome();
    if (placeholder && outcome.end == Outcome::End::Finished)
        placeholder->keep();
    if (options.command == Command::Diff)
        return PrintDiff(options, file, memory.comparison(), outcome, interrupted);
    int code = kExitOk;
    if (interrupted)
        code = kExitInterrupted;
    else if (outcome.end == Outcome::End::Stopped)
        code = ExitForStop(outcome.why);
    else if (!outcome.report.allVerified())
        code = kExitNotVerified;
    if (!readInto)
        PrintReport(ReportFacts{options, file, memory.lastBackup(), outcome, interrupted, code});
    else if (code != kExitOk)
        Fail(interrupted ? QStringLiteral("stopped by the operator") : outcome.why);
    return code;
}

}  // namespace

}  // namespace talvex::cli
