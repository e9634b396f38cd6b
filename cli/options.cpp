#include "options.h"

#include "link/format.h"
#include "link/frames.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace talvex::cli {

namespace {

std::optional<int> WholeNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return text.toInt();
}

// The commands and how many operands each takes.
struct KnownCommand {
    const char* name;
    Command command;
    int operands;
};
constexpr KnownCommand kCommands[] = {
    {"read", Command::Read, 1},         {"write", Command::Write, 1},     {"blank", Command::Blank, 1},
    {"backups", Command::Backups, 0},   {"restore", Command::Restore, 1}, {"diff", Command::Diff, 1},
    {"export", Command::Export, 1},     {"import", Command::Import, 2},
};

QString AddressText(int byte) { return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper() + u'h'; }

// The radio's CI-V address as its menu shows it, "98h", the "h" left out or not; or why not.
std::variant<std::uint8_t, QString> CivAddressOf(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^([0-9A-Fa-f]{1,2})[hH]?$"));
    const auto match = shape.match(text);
    const int byte = match.hasMatch() ? match.captured(1).toInt(nullptr, 16) : -1;
    if (byte == kBroadcastAddress)
        return QStringLiteral("--address 00 is the broadcast address, not the radio's");
    if (byte == kControllerAddress)
        return QStringLiteral("--address E0 is TALVEX's own, as the controller, not the radio's");
    if (!kRadio.takesAddress(byte))
        return QStringLiteral("--address must be the radio's CI-V address as its menu shows it, %1-%2, not \"%3\"")
            .arg(AddressText(kRadio.lowestAddress), AddressText(kRadio.highestAddress), text);
    return static_cast<std::uint8_t>(byte);
}

// "4800, 9600": the rates the radio offers, with `between` them.
QString RatesText(const QString& between)
{
    QStringList rates;
    for (const int rate : kRadio.civRates)
        rates << QString::number(rate);
    return rates.join(between);
}

}  // namespace

bool IsRadioRate(int baud) { return kRadio.offersRate(baud); }

std::optional<std::pair<int, int>> ParseChannelRange(const QString& text)
{
    const QStringList ends = text.split(u'-');
    if (ends.size() > 2)
        return std::nullopt;
    const auto first = WholeNumber(ends.front());
    const auto last = WholeNumber(ends.back());
    if (!first || !last || *first < kRadio.firstChannel || *last > kRadio.lastChannel || *first > *last)
        return std::nullopt;
    return std::pair{*first, *last};
}

QString CommandName(Command command)
{
    for (const KnownCommand& known : kCommands) {
        if (known.command == command)
            return QLatin1String(known.name);
    }
    return command == Command::Version ? QStringLiteral("version") : QStringLiteral("help");
}

bool AsksForJson(const QStringList& arguments) { return arguments.contains(QStringLiteral("--json")); }

namespace {

// "--port=COM1" as "--port", "COM1"; `attached` marks each value split off so.
struct SplitArguments {
    QStringList arguments;
    std::vector<bool> attached;
};

SplitArguments SplitAttachedValues(const QStringList& given)
{
    SplitArguments split;
    for (const QString& argument : given) {
        const qsizetype equals = argument.indexOf(u'=');
        if (argument.startsWith(QStringLiteral("--")) && equals > 2) {
            split.arguments << argument.left(equals) << argument.mid(equals + 1);
            split.attached.insert(split.attached.end(), {false, true});
        } else {
            split.arguments << argument;
            split.attached.push_back(false);
        }
    }
    return split;
}

// The operands that name where a file goes or comes from fit the command: "-" where standard
// output or input can take it, and nowhere the report would have to share standard output.
QString CheckStandardStreams(Command command, const QStringList& operands, const Options& options)
{
    const bool writesToStandardOutput = (command == Command::Read || command == Command::Export)
        && operands.value(0) == kStandardStream;
    if (writesToStandardOutput && options.json)
        return QStringLiteral("--json puts its report on standard output, where - puts the file: give a file name");
    if (command == Command::Import && operands.value(1) == kStandardStream)
        return QStringLiteral("import writes DATAFILE as a file titled by its name: give a file name, not -");
    return {};
}

}  // namespace

std::variant<Options, QString> ParseArguments(const QStringList& given)
{
    const SplitArguments split = SplitAttachedValues(given);
    const QStringList& arguments = split.arguments;
    Options options;
    std::optional<Command> command;
    QStringList operands;
    bool dryRun = false;
    bool records = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // A value written onto an option that takes none is not left to pass for an operand.
        if (split.attached[static_cast<std::size_t>(i)])
            return arguments[i - 1] + QStringLiteral(" takes no value");
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == u"--help" || argument == u"-h" || argument == u"--version") {
            Options asked;
            asked.command = argument == u"--version" ? Command::Version : Command::Help;
            asked.json = AsksForJson(given);
            return asked;
        }
        if (argument == u"--records") {
            records = true;  // whole records are read by default now; kept so old scripts still run
        } else if (argument == u"--plain") {
            options.plain = true;
        } else if (argument == u"--json") {
            options.json = true;
        } else if (argument == u"--quiet" || argument == u"-q") {
            options.quiet = true;
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
                return QStringLiteral("--baud must be one of ") + RatesText(QStringLiteral(", ")) + QStringLiteral(", not \"")
                    + text.value_or(QString()) + u'"';
            options.baud = baud;
        } else if (argument == u"--address") {
            const auto address = CivAddressOf(value().value_or(QString()));
            if (const QString* why = std::get_if<QString>(&address))
                return *why;
            options.address = std::get<std::uint8_t>(address);
        } else if (const ListOptionStep step = TakeListOption(arguments, i, options.list); step.taken) {
            if (!step.error.isEmpty())
                return step.error;
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return QStringLiteral("unknown option \"") + argument + u'"';
        } else if (!command) {
            for (const KnownCommand& known : kCommands) {
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
    for (const KnownCommand& known : kCommands) {
        if (known.command == *command && operands.size() != known.operands)
            return QStringLiteral("%1 takes %2 operand(s), not %3").arg(QLatin1String(known.name)).arg(known.operands).arg(operands.size());
    }
    if ((records || options.plain) && *command != Command::Read)
        return records ? QStringLiteral("--records belongs to read") : QStringLiteral("--plain belongs to read");
    if (records && options.plain)
        return QStringLiteral("--records and --plain exclude each other");
    if (const QString misplaced = CheckListOptions(*command == Command::Export, *command == Command::Import, options.list);
        !misplaced.isEmpty())
        return misplaced;
    if (dryRun && *command != Command::Write)
        return QStringLiteral("--dry-run belongs to write");
    if (const QString streams = CheckStandardStreams(*command, operands, options); !streams.isEmpty())
        return streams;
    // A dry run of write is diff: the same reading and planning, and nothing written.
    options.command = dryRun ? Command::Diff : *command;
    if (*command == Command::Blank) {
        const auto range = ParseChannelRange(operands.front());
        if (!range)
            return QStringLiteral("\"") + operands.front()
                + QStringLiteral("\" is not a channel range: FIRST-LAST, whole numbers ") + ChannelRangeText()
                + QStringLiteral(", FIRST not after LAST");
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
        "usage: talvex-mem [--port COMn|DEVICE] [--baud RATE] [--address HEX] [--json] [--quiet] COMMAND\n"
        "  read FILE [--plain]     all %1 channels into a data file, each with its whole record\n"
        "                          (--plain: the six zones only; --records is still taken, and is the default)\n"
        "  write FILE              back up, then write the channels that differ, each verified\n"
        "  diff FILE               what write would change, channel by channel; changes nothing\n"
        "  write --dry-run FILE    the same as diff\n"
        "  blank FIRST-LAST        back up, then clear the channels and verify\n"
        "  backups                 list the complete backups in BACKUP/\n"
        "  restore BACKUP          write a complete backup back, record for record\n"
        "  export FILE.csv [--from DATAFILE | --from-radio]\n"
        "                          channels as CHIRP's CSV (default: TALVEX.INI's data file)\n"
        "  import FILE.csv DATAFILE [--full] [--strict] [--renumber [--first CH]]\n"
        "  import --eibi SKED.csv DATAFILE [--at HHMM] [--days D] [--language L] [--target T]\n"
        "         [--station TEXT] [--first CH] [--max N] [--full] [--strict]\n"
        "                          a list into a data file; the report names every row changed\n"
        "  FILE - is standard output for read and export, standard input for the files read\n"
        "  --port, --baud          instead of TALVEX.INI's; RATE %2\n"
        "  --address HEX           the radio's CI-V address as its menu shows it (98, 98h), when not %3\n"
        "  --option=VALUE          the same as --option VALUE\n"
        "  --json                  the report as one JSON object on standard output, on every exit\n"
        "  --quiet, -q             no progress, only the end report (and errors)\n"
        "  --help, --version\n"
        "exit codes: 0 done and verified, 2 usage, 3 no radio, 4 not verified, 5 file error,\n"
        "  6 rows or lines changed or left out (import, write, diff; import --strict: nothing written),\n"
        "  130 stopped\n")
        .arg(kRadio.lastChannel - kRadio.firstChannel + 1)
        .arg(RatesText(QStringLiteral(" ")), AddressText(kRadio.address));
}

}  // namespace talvex::cli
