// Captions carry no access-key letters. Every item is also added to the window itself so
// that its shortcut works whenever the window is active, and an open menu passes the
// window's shortcut keys on, which Qt would otherwise leave to the menu alone.
#include "main_menus.h"

#include "window_texts.h"

#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace korvane {
namespace {

using window_texts::toQString;

QAction *addItem(QMainWindow *window, QMenu *menu, std::string_view caption,
                 const QKeySequence &shortcut = {}) {
    QAction *item = menu->addAction(toQString(caption));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WindowShortcut);
    window->addAction(item);
    return item;
}

class OpenMenuShortcuts : public QObject {
  public:
    explicit OpenMenuShortcuts(QMainWindow *window)
        : QObject(window)
        , m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (QAction *item : m_window->actions()) {
            if (item->shortcut() == pressed && item->isVisible() && item->isEnabled()) {
                m_window->menuBar()->setActiveAction(nullptr);
                static_cast<QMenu *>(watched)->hide();
                item->trigger();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QMainWindow *m_window;
};

} // namespace

MainMenus createMainMenus(QMainWindow *window) {
    QMenuBar *bar = window->menuBar();
    MainMenus menus;

    menus.mnuFile = bar->addMenu(toQString(window_texts::kMenuFile));
    menus.mnuNew =
        addItem(window, menus.mnuFile, window_texts::kNewGame, QKeySequence(Qt::CTRL | Qt::Key_N));
    menus.mnuBreak1 = menus.mnuFile->addSeparator();
    menus.mnuExit =
        addItem(window, menus.mnuFile, window_texts::kMenuExit, QKeySequence(Qt::CTRL | Qt::Key_X));

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

    auto *shortcuts = new OpenMenuShortcuts(window);
    for (QMenu *menu : {menus.mnuFile, menus.mnuPlayers, menus.mnuSound, menus.mnuHelp})
        menu->installEventFilter(shortcuts);
    return menus;
}

} // namespace korvane
