#include "exit_codes.h"
#include "list_commands.h"
#include "mem_command.h"
#include "options.h"
#include "output.h"
#include "printable.h"

#include "platform/interrupt_signal.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>

#include <cstdio>

// talvex-mem: the radio's memory channels from the command line, on the Memory window's engine.
int main(int argc, char* argv[])
{
    talvex::InterruptSignal::blockEarly();
    QCoreApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("talvex-mem"));
    application.setApplicationVersion(QStringLiteral(TALVEX_VERSION));

    using namespace talvex::cli;
    const QStringList arguments = application.arguments().mid(1);
    const auto parsed = ParseArguments(arguments);
    if (const QString* error = std::get_if<QString>(&parsed)) {
        // One line that says what is wrong, and where the whole usage is.
        Output output(AsksForJson(arguments));
        output.error(*error);
        std::fputs("see talvex-mem --help\n", stderr);
        return output.end(kExitUsage, QStringLiteral("usage"));
    }
    const Options& options = std::get<Options>(parsed);
    Output output(options.json);
    const QString here = QDir::currentPath();
    switch (options.command) {
    case Command::Help: {
        const QJsonObject help{{QStringLiteral("operation"), QStringLiteral("help")},
                               {QStringLiteral("result"), QStringLiteral("done")},
                               {QStringLiteral("exitCode"), kExitOk},
                               {QStringLiteral("usage"), UsageText()}};
        output.report(UsageText(), JsonText(help));
        return kExitOk;
    }
    case Command::Version: {
        const QJsonObject version{{QStringLiteral("operation"), QStringLiteral("version")},
                                  {QStringLiteral("result"), QStringLiteral("done")},
                                  {QStringLiteral("exitCode"), kExitOk},
                                  {QStringLiteral("version"), QStringLiteral(TALVEX_VERSION)}};
        output.report(QStringLiteral("talvex-mem %1\n").arg(QStringLiteral(TALVEX_VERSION)), JsonText(version));
        return kExitOk;
    }
    case Command::Backups: return output.end(ListBackups(here, output), CommandName(options.command));
    case Command::Export: return output.end(RunExport(options, here, output), CommandName(options.command));
    case Command::Import: return output.end(RunImport(options, here, output), CommandName(options.command));
    default: return output.end(RunCommand(options, here, output), CommandName(options.command));
    }
}
