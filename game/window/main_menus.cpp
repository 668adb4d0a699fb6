// Captions carry no access-key letters. Every item is also added to the window itself so
// that its shortcut works whenever the window is active, whether or not a menu is open.
#include "main_menus.h"

#include "window_texts.h"

#include <QMainWindow>
#include <QMenuBar>

namespace korvane {
namespace {

using window_texts::toQString;

QAction *addItem(QMainWindow *window, QMenu *menu, std::string_view caption,
                 const QKeySequence &shortcut = {})
{
    QAction *item = menu->addAction(toQString(caption));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WindowShortcut);
    window->addAction(item);
    return item;
}

} // namespace

MainMenus createMainMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    MainMenus menus;

    menus.mnuFile = bar->addMenu(toQString(window_texts::kMenuFile));
    menus.mnuNew = addItem(window, menus.mnuFile, window_texts::kNewGame,
                           QKeySequence(Qt::CTRL | Qt::Key_N));
    menus.mnuBreak1 = menus.mnuFile->addSeparator();
    menus.mnuExit = addItem(window, menus.mnuFile, window_texts::kMenuExit,
                            QKeySequence(Qt::CTRL | Qt::Key_X));

    menus.mnuPlayers = bar->addMenu(toQString(window_texts::kMenuPlayers));
    menus.mnuTwoPlayer = addItem(window, menus.mnuPlayers, window_texts::kTwoPlayerMode);
    menus.mnuTwoPlayer->setCheckable(true);

    menus.mnuSound = bar->addMenu(toQString(window_texts::kMenuSound));
    menus.mnuSndOn = addItem(window, menus.mnuSound, window_texts::kMenuSoundOn);
    menus.mnuSndOn->setVisible(false);
    menus.mnuSndOff = addItem(window, menus.mnuSound, window_texts::kMenuSoundOff);

    menus.mnuHelp = bar->addMenu(toQString(window_texts::kMenuHelp));
    menus.mnuRules = addItem(window, menus.mnuHelp, window_texts::kMenuRules,
                             QKeySequence(Qt::CTRL | Qt::Key_R));
    menus.mnuBreak2 = menus.mnuHelp->addSeparator();
    menus.mnuAbout = addItem(window, menus.mnuHelp, window_texts::kMenuAbout,
                             QKeySequence(Qt::CTRL | Qt::Key_A));
    return menus;
}

} // namespace korvane
