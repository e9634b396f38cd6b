#include "options.h"

#include <algorithm>

namespace talvex::cli {

namespace {

std::optional<int> WholeNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return text.toInt();
}

// The commands and how many operands each takes.
struct CommandName {
    const char* name;
    Command command;
    int operands;
};
constexpr CommandName kCommands[] = {
    {"read", Command::Read, 1},         {"write", Command::Write, 1},     {"blank", Command::Blank, 1},
    {"backups", Command::Backups, 0},   {"restore", Command::Restore, 1}, {"diff", Command::Diff, 1},
    {"export", Command::Export, 1},     {"import", Command::Import, 2},
};

}  // namespace

bool IsRadioRate(int baud)
{
    for (const int rate : {4800, 9600, 19200, 38400, 57600, 115200}) {
        if (baud == rate)
            return true;
    }
    return false;
}

std::optional<std::pair<int, int>> ParseChannelRange(const QString& text)
{
    const QStringList ends = text.split(u'-');
    if (ends.size() > 2)
        return std::nullopt;
    const auto first = WholeNumber(ends.front());
    const auto last = WholeNumber(ends.back());
    if (!first || !last || *first < 1 || *last > 99 || *first > *last)
        return std::nullopt;
    return std::pair{*first, *last};
}

std::variant<Options, QString> ParseArguments(const QStringList& arguments)
{
    Options options;
    std::optional<Command> command;
    QStringList operands;
    bool dryRun = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == u"--help" || argument == u"-h" || argument == u"--version") {
            Options asked;
            asked.command = argument == u"--version" ? Command::Version : Command::Help;
            return asked;
        }
        if (argument == u"--records") {
            options.records = true;
        } else if (argument == u"--json") {
            options.json = true;
        } else if (argument == u"--dry-run") {
            dryRun = true;
        } else if (argument == u"--port") {
            options.port = value();
            if (!options.port || options.port->isEmpty())
                return QStringLiteral("--port needs COMn or a device path");
        } else if (argument == u"--baud") {
            const auto text = value();
            const auto baud = text ? WholeNumber(*text) : std::nullopt;
            if (!baud || !IsRadioRate(*baud))
                return QStringLiteral("--baud must be one of 4800, 9600, 19200, 38400, 57600, 115200, not \"")
                    + text.value_or(QString()) + u'"';
            options.baud = baud;
        } else if (const ListOptionStep step = TakeListOption(arguments, i, options.list); step.taken) {
            if (!step.error.isEmpty())
                return step.error;
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return QStringLiteral("unknown option \"") + argument + u'"';
        } else if (!command) {
            for (const CommandName& known : kCommands) {
                if (argument == QLatin1String(known.name))
                    command = known.command;
            }
            if (!command)
                return QStringLiteral("unknown command \"") + argument + u'"';
        } else {
            operands << argument;
        }
    }
    if (!command)
        return QStringLiteral("no command given");
    for (const CommandName& known : kCommands) {
        if (known.command == *command && operands.size() != known.operands)
            return QStringLiteral("%1 takes %2 operand(s), not %3").arg(QLatin1String(known.name)).arg(known.operands).arg(operands.size());
    }
    if (options.records && *command != Command::Read)
        return QStringLiteral("--records belongs to read");
    if (const QString misplaced = CheckListOptions(*command == Command::Export, *command == Command::Import, options.list);
        !misplaced.isEmpty())
        return misplaced;
    if (dryRun && *command != Command::Write)
        return QStringLiteral("--dry-run belongs to write");
    // A dry run of write is diff: the same reading and planning, and nothing written.
    options.command = dryRun ? Command::Diff : *command;
    if (*command == Command::Blank) {
        const auto range = ParseChannelRange(operands.front());
        if (!range)
            return QStringLiteral("\"") + operands.front()
                + QStringLiteral("\" is not a channel range: FIRST-LAST, whole numbers 1-99, FIRST not after LAST");
        options.first = range->first;
        options.last = range->second;
    } else if (!operands.isEmpty()) {
        options.file = operands.front();
        if (operands.size() > 1)
            options.dataFile = operands[1];
    }
    return options;
}

QString UsageText()
{
    return QStringLiteral(
        "usage: talvex-mem [--port COMn|DEVICE] [--baud RATE] [--json] COMMAND\n"
        "  read FILE [--records]   all 99 channels into a data file (--records: with whole records)\n"
        "  write FILE              back up, then write the channels that differ, each verified\n"
        "  diff FILE               what write would change, channel by channel; changes nothing\n"
        "  write --dry-run FILE    the same as diff\n"
        "  blank FIRST-LAST        back up, then clear the channels and verify\n"
        "  backups                 list the backups in BACKUP/\n"
        "  restore BACKUP          write a backup back, record for record\n"
        "  export FILE.csv [--from DATAFILE | --from-radio]\n"
        "                          channels as CHIRP's CSV (default: TALVEX.INI's data file)\n"
        "  import FILE.csv DATAFILE [--full] [--strict] [--renumber [--first CH]]\n"
        "  import --eibi SKED.csv DATAFILE [--at HHMM] [--days D] [--language L] [--target T]\n"
        "         [--station TEXT] [--first CH] [--max N] [--full] [--strict]\n"
        "                          a list into a data file; the report names every row changed\n"
        "  --port, --baud          instead of TALVEX.INI's; RATE 4800 9600 19200 38400 57600 115200\n"
        "  --json                  the report as JSON on standard output\n"
        "  --help, --version\n"
        "exit codes: 0 done and verified, 2 usage, 3 no radio, 4 not verified, 5 file error,\n"
        "  6 import changed or left out rows (--strict: nothing written), 130 stopped\n");
}

}  // namespace talvex::cli
