#include "program.h"
#include "windows.h"

#include "platform/clock.h"
#include "platform/program_exit.h"
#include "platform/widgets/qt_dialogs.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_timer.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("TALVEX"));

    const QString workingDirectory = QDir::currentPath();
    talvex::QtSerialPort port(workingDirectory);
    talvex::QtDialogs dialogs;
    talvex::QtTimerFactory timers;
    talvex::ProcessExit exit;
    talvex::QtClock clock;

    talvex::Windows windows(talvex::PlatformServices{port, dialogs, timers, exit, workingDirectory, &clock});
    windows.start();
    return application.exec();
}
