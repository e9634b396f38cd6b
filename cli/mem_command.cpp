#include "mem_command.h"

#include "cli_dialogs.h"
#include "diff_report.h"
#include "exit_codes.h"
#include "command_files.h"
#include "port_names.h"
#include "progress_output.h"
#include "radio_ready.h"
#include "report_text.h"

#include "app/program.h"
#include "memory/backup.h"
#include "memory/update_plan.h"
#include "platform/interrupt_signal.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_timer.h"
#include "platform/standard_streams.h"
#include "platform/text_file.h"
#include "startup/configuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace talvex::cli {

namespace {

// The command line opens no window: start-up's questions for windows are never asked.
class NoWindows final : public WindowShell {
public:
    void showSplash() override {}
    void showSetup() override {}
};

// Where the radio is: the command line's --port and --baud, else TALVEX.INI's, read with the
// program's own reader.
struct Line {
    QString port;      // "COMn" or a device path, as given
    QString settings;  // "19200,N,8,1"
    int baud = 0;
};

std::variant<Line, int> LineFor(const Options& options, const QString& workingDirectory, Output& output)
{
    Line line;
    if (!options.port || !options.baud) {
        const QString path = QDir(workingDirectory).filePath(kConfigFileName);
        TextFile file;
        if (const auto error = file.open(path, FileMode::Input)) {
            output.error(QStringLiteral("no --port and --baud, and %1 cannot be read: %2").arg(path, error->description));
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
        output.error(QStringLiteral("TALVEX.INI names no port or rate: give --port and --baud"));
        return kExitUsage;
    }
    if (!IsRadioRate(line.baud)) {
        output.error(QStringLiteral("TALVEX.INI's rate %1 is not one of the radio's").arg(line.baud));
        return kExitUsage;
    }
    return line;
}

// A halt's kind decides: the radio's silence, a closed port and a line that garbles the radio's
// answers are the radio side's; a file that cannot be read or written is the disk's.
int ExitForStop(StopKind kind)
{
    switch (kind) {
    case StopKind::SilentRadio:
    case StopKind::PortLost:
    case StopKind::LineGarbles: return kExitNoRadio;
    case StopKind::FileError: return kExitFile;
    case StopKind::Operator: return kExitInterrupted;
    }
    return kExitFile;
}

// Why the engine would not start, as the exit code says it: the port, or a file.
int ExitForRefusal(RefusalReason reason)
{
    switch (reason) {
    case RefusalReason::NoRadio: return kExitNoRadio;
    case RefusalReason::SkippedLinesUnanswered:
    case RefusalReason::SkippedLinesDeclined: return kExitChanged;
    case RefusalReason::NoRange:
    case RefusalReason::Unconfirmed: return kExitUsage;
    case RefusalReason::Busy:
    case RefusalReason::NoDataFile:
    case RefusalReason::FileUnreadable:
    case RefusalReason::FileUnwritable:
    case RefusalReason::IncompleteBackup:
    case RefusalReason::BackupNotMade:
    case RefusalReason::MissingFileCreated: return kExitFile;
    }
    return kExitFile;
}

// What write would change, as read from the radio; 0 only when every channel was read and
// no line would be left out.
int PrintDiff(const QString& file, const CompareRig& comparison, const Outcome& outcome, bool interrupted,
              Output& output)
{
    const bool complete = !interrupted && comparison.complete();
    int code = kExitOk;
    if (interrupted)
        code = kExitInterrupted;
    else if (!complete)
        code = kExitNoRadio;  // the file was read before the run: only the radio can end it early
    else if (SkippedCount(comparison.plans()) > 0)
        code = kExitChanged;
    const DiffFacts facts{file, comparison.plans(), complete, outcome.why, interrupted, code};
    output.report(DiffText(facts), DiffJson(facts));
    return code;
}

// `readInto`: the file a read goes to, instead of the one the command names; the report is
// printed only for the command's own file.
int RunOnRadio(const Options& options, const QString& workingDirectory, Output& output,
               const std::optional<QString>& readInto)
{
    const auto line = LineFor(options, workingDirectory, output);
    if (const int* code = std::get_if<int>(&line))
        return *code;
    const Line& radioLine = std::get<Line>(line);

    // The files first: a command that could not use its file never touches the radio.
    auto prepared = CommandFiles::Prepare(options, workingDirectory, readInto, output);
    if (const int* code = std::get_if<int>(&prepared))
        return *code;
    const CommandFiles& files = std::get<CommandFiles>(prepared);
    const QString& file = files.engineFile();
    const QString& shown = files.shown();

    QtSerialPort port(workingDirectory);
    const bool byNumber = ByNumber(radioLine.port);
    if (!byNumber)
        port.setDevicePath(DevicePath(radioLine.port, workingDirectory));
    CliDialogs dialogs(output);
    QtTimerFactory timers;
    ProcessExit exit;
    QtClock clock;
    NoWindows windows;
    Program program(PlatformServices{port, dialogs, timers, exit, workingDirectory, &clock}, windows, options.address);
    ProgramState& state = program.state;
    // The engine's messages name the port as the operator gave it.
    state.ConfigCommPort = byNumber ? radioLine.port.toUpper() : radioLine.port;
    state.ConfigCommBaud = radioLine.settings;
    if (const auto error = port.open(byNumber ? PortNumber(state.ConfigCommPort) : 1, radioLine.settings)) {
        output.error(QStringLiteral("the port %1 cannot be opened: %2")
                         .arg(radioLine.port, PortProblem(*error, radioLine.port, workingDirectory)));
        return kExitNoRadio;
    }
    state.PortReady = 1;
    port.readAll();  // nothing from before this moment is an answer

    const ProgressStyle style = options.quiet ? ProgressStyle::None
        : IsTerminal(StandardStream::Error)   ? ProgressStyle::Bar
                                              : ProgressStyle::Lines;
    ProgressOutput progress(stderr, style, radioLine.baud, [] { return TerminalColumns(StandardStream::Error); });
    MemoryOperations& memory = program.memory;
    // The report tells how the run ended, in the command's words: the Memory window's boxes are
    // not shown here.
    memory.removeListener(&program.memoryWindow);
    // Nor the windows' boxes for the line: a line gone ends the run, and the report says so.
    program.link.removeListener(program.lineNotices);
    memory.addListener(&progress);
    progress.setCommand(CommandName(options.command));
    memory.setLinePacedThroughout(true);
    bool interrupted = false;
    progress.setEnded([] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
    InterruptSignal interrupt([&](int) {
        // A signal after the end changes nothing: the report stands as the engine gave it.
        if (interrupted || progress.outcome().end != Outcome::End::Running)
            return;
        interrupted = true;
        memory.stop();
        QCoreApplication::exit(0);
    });

    // The radio first, as the windows meet it at start-up: one set wrong or not there is named,
    // and nothing is read, written or backed up.
    const auto refused = RefuseUnreadyRadio(program, output);
    if (interrupted) {
        output.error(QStringLiteral("stopped by the operator"));
        return kExitInterrupted;
    }
    if (refused)
        return *refused;

    // A stopped Create File takes the file up again as the current data file: an empty one
    // stands in for it, in the run's own folder, never where the operator would find it.
    if (options.command == Command::Read && !QFileInfo::exists(file)) {
        QFile placeholder(file);
        placeholder.open(QIODevice::NewOnly | QIODevice::WriteOnly);
    }
    state.CurrentDataFile = file;
    state.CurrentFileName = QFileInfo(file).fileName();
    // The command is the operator's Yes; its operands are the answers.
    MemoryRequest request;
    request.confirmed = true;
    StartResult start = Started{};
    switch (options.command) {
    case Command::Read:
        memory.setCreateWithRecords(!options.plain);
        start = memory.createFile(request);
        break;
    case Command::Write:
    case Command::Restore:
        // The lines the radio cannot take are named before the backup starts, as the windows
        // name them; the engine then leaves them out.
        if (const auto lines = ReadAllLines(file)) {
            for (const QString& skipped : SkippedLines(*lines))
                output.note(QStringLiteral("skipping ") + skipped);
        }
        request.writeDespiteSkippedLines = true;
        start = memory.updateRig(request);
        break;
    case Command::Diff: {
        const auto lines = ReadAllLines(file);
        if (!lines) {
            output.error(shown + QStringLiteral(" cannot be read"));
            return kExitFile;
        }
        request.lines = *lines;
        start = memory.compareRig(request);
        break;
    }
    case Command::Blank:
        request.range = ChannelRange{options.first, options.last};
        start = memory.blankRig(request);
        break;
    default: return kExitUsage;
    }
    if (const auto* refused = std::get_if<Refused>(&start)) {
        if (!refused->text.isEmpty())
            output.error(CommandName(options.command) + QStringLiteral(": ") + refused->text);
        return ExitForRefusal(refused->reason);
    }
    // The first step goes at once, not at the window's next 300 ms tick; the steps after it go
    // as each answer is in.
    memory.paceTimer().setEnabled(true);
    if (progress.outcome().end == Outcome::End::Running)
        QCoreApplication::exec();
    progress.closeLine();
    port.close();

    const Outcome& outcome = progress.outcome();
    // The connection advice the run gave stands on standard error, a cause a line.
    if (!outcome.advice.isEmpty())
        output.note(outcome.advice);
    if (options.command == Command::Diff)
        return PrintDiff(shown, memory.comparison(), outcome, interrupted, output);
    int code = kExitOk;
    if (interrupted)
        code = kExitInterrupted;
    else if (outcome.end == Outcome::End::Stopped)
        code = ExitForStop(outcome.stopKind);
    else if (!outcome.report.allVerified())
        code = kExitNotVerified;
    else if (const auto why = files.deliver(output)) {
        output.error(*why);
        code = kExitFile;
    } else if (outcome.report.skippedCount() > 0)
        code = kExitChanged;
    if (readInto) {
        if (code != kExitOk)
            output.error(interrupted ? QStringLiteral("stopped by the operator") : outcome.why);
        return code;
    }
    if (code != kExitFile || outcome.end == Outcome::End::Stopped) {
        const ReportFacts facts{options, shown, outcome.backup, outcome, interrupted, code};
        output.report(ReportText(facts), ReportJson(facts));
    }
    return code;
}

}  // namespace

int RunCommand(const Options& options, const QString& workingDirectory, Output& output)
{
    return RunOnRadio(options, workingDirectory, output, std::nullopt);
}

int ReadRecordsFromRadio(const Options& options, const QString& file, const QString& workingDirectory, Output& output)
{
    Options read = options;
    read.command = Command::Read;
    read.plain = false;
    return RunOnRadio(read, workingDirectory, output, file);
}

}  // namespace talvex::cli
