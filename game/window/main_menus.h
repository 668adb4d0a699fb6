// frmMain's menu bar: File, Players, Sound and Help, with their items and shortcut keys.
#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace korvane {

struct MainMenus {
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuBreak1 = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuPlayers = nullptr;
    QAction *mnuTwoPlayer = nullptr;
    QMenu *mnuSound = nullptr;
    QAction *mnuSndOn = nullptr;
    QAction *mnuSndOff = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuRules = nullptr;
    QAction *mnuBreak2 = nullptr;
    QAction *mnuAbout = nullptr;
};

MainMenus createMainMenus(QMainWindow *window);

} // namespace korvane
