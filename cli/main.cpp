#include "exit_codes.h"
#include "list_commands.h"
#include "mem_command.h"
#include "options.h"

#include "platform/interrupt_signal.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

// talvex-mem: the radio's memory channels from the command line, on the Memory window's engine.
int main(int argc, char* argv[])
{
    talvex::InterruptSignal::blockEarly();
    QCoreApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("talvex-mem"));
    application.setApplicationVersion(QStringLiteral(TALVEX_VERSION));

    using namespace talvex::cli;
    const auto parsed = ParseArguments(application.arguments().mid(1));
    if (const QString* error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "talvex-mem: %s\n%s", qPrintable(*error), qPrintable(UsageText()));
        return kExitUsage;
    }
    const Options& options = std::get<Options>(parsed);
    switch (options.command) {
    case Command::Help: std::printf("%s", qPrintable(UsageText())); return kExitOk;
    case Command::Version: std::printf("talvex-mem %s\n", TALVEX_VERSION); return kExitOk;
    case Command::Backups: return ListBackups(QDir::currentPath());
    case Command::Export: return RunExport(options, QDir::currentPath());
    case Command::Import: return RunImport(options, QDir::currentPath());
    default: return RunCommand(options, QDir::currentPath());
    }
}
