#include "window_menus.h"

#include "startup/system_setup.h"

#include <QMainWindow>
#include <QMenuBar>

namespace talvex {

namespace {

QAction* Named(QAction* action, const char* name)
{
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

void AddMainMenus(QMainWindow& window, Program& program, const char* otherName, const QString& otherText,
                  std::function<void()> showOther)
{
    QMenuBar& bar = *window.menuBar();
    QMenu* file = bar.addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File"));
    QObject::connect(Named(file->addAction(QStringLiteral("Exit")), "FileExit"), &QAction::triggered, &window,
                     [&program] { program.startup.ExitMenu(); });
    QObject::connect(Named(bar.addAction(otherText), otherName), &QAction::triggered, &window, std::move(showOther));
    QObject::connect(Named(bar.addAction(QStringLiteral("Setup")), "Setup"), &QAction::triggered, &window,
                     [&program] { program.windows.showSetup(); });
    QObject::connect(Named(bar.addAction(QStringLiteral("Exit")), "Exit"), &QAction::triggered, &window,
                     [&program] { program.startup.ExitMenu(); });
    QObject::connect(Named(bar.addAction(QStringLiteral("Help")), "Help"), &QAction::triggered, &window, [&program] { ShowHelp(program.platform.dialogs); });
}

}  // namespace talvex
