#include "program.h"
#include "rig_sharing.h"
#include "windows.h"

#include "platform/clock.h"
#include "platform/interrupt_signal.h"
#include "platform/program_exit.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_tcp_server.h"
#include "platform/qt_timer.h"
#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Before any thread exists, so that none Qt starts later takes the signals meant for the
    // event loop below.
    talvex::InterruptSignal::blockEarly();
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("TALVEX"));

    const QString workingDirectory = QDir::currentPath();
    const talvex::ServerChoice serve = talvex::ChooseServerAddress(application.arguments(), workingDirectory);
    if (serve.error) {
        std::fprintf(stderr, "talvex: %s\n", qUtf8Printable(*serve.error));
        return 2;
    }

    talvex::QtSerialPort port(workingDirectory);
    talvex::QtDialogs dialogs;
    talvex::QtTimerFactory timers;
    talvex::ProcessExit exit;
    talvex::QtClock clock;

    talvex::Windows windows(talvex::PlatformServices{port, dialogs, timers, exit, workingDirectory, &clock});
    // The server answers once the program runs as usual: a client's request waits in the queue
    // until start-up has opened the port and asked its questions. It is there even when it
    // listens nowhere, so that System Setup can start it.
    talvex::QtTcpServer socket;
    talvex::RigSharing sharing(windows.program(), socket, clock);
    // Ctrl-C, SIGTERM (a logout, a service manager) and SIGHUP end TALVEX as its Exit button
    // does: a transmitter a client keyed is released before the port closes.
    talvex::InterruptSignal interrupted([&windows](int) { windows.program().startup.ExitButton(); });
    windows.start();
    if (serve.address && sharing.start(*serve.address))
        std::fprintf(stderr, "talvex: %s\n", qUtf8Printable(windows.program().state.ServerNotice));
    return application.exec();
}
