#include "window_menus.h"

#include "platform/widgets/form_controls.h"
#include "startup/startup.h"
#include "startup/system_setup.h"
#include "startup/window_shell.h"

#include <QMainWindow>
#include <QMenuBar>

namespace talvex {

void AddMainMenus(QMainWindow& window, ProgramControls program, const char* otherName, const QString& otherText,
                  std::function<void()> showOther)
{
    QMenuBar& bar = *window.menuBar();
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    QObject::connect(NamedAction(file->addAction(QStringLiteral("&Edit Channels\u2026")), "FileEditChannels"), &QAction::triggered,
                     &window, [program] { program.windows.showChannelEditor(); });
    QObject::connect(NamedAction(file->addAction(QStringLiteral("E&xit")), "FileExit"), &QAction::triggered, &window,
                     [program] { program.startup.ExitMenu(); });
    QObject::connect(NamedAction(bar.addAction(u'&' + otherText), otherName), &QAction::triggered, &window, std::move(showOther));
    QObject::connect(NamedAction(bar.addAction(QStringLiteral("&Setup")), "Setup"), &QAction::triggered, &window,
                     [program] { program.windows.showSetup(); });
    QObject::connect(NamedAction(bar.addAction(QStringLiteral("E&xit")), "Exit"), &QAction::triggered, &window,
                     [program] { program.startup.ExitMenu(); });
    QObject::connect(NamedAction(bar.addAction(QStringLiteral("&Help")), "Help"), &QAction::triggered, &window, [program] { ShowHelp(program.dialogs); });
}

}  // namespace talvex
