// The game's main window: the board, the status labels, the mode controls and the menus,
// holding the game rules and showing them what they need of a window.
#pragma once

#include "main_controls.h"
#include "main_menus.h"
#include "music_restart.h"
#include "one_shot_timer.h"
#include "rules/game_rules.h"
#include "rules/game_window.h"

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

class ControlSite;

namespace korvane {

class frmMain : public QMainWindow, public GameWindow {
    Q_OBJECT

  public:
    // Plays Music.wav from the program's own folder.
    frmMain();
    ~frmMain() override;

    GameRules &rules() { return m_rules; }
    const MainControls &controls() const { return m_controls; }
    const MainMenus &menus() const { return m_menus; }
    // The client area below the menu bar, where the controls stand.
    QWidget *clientArea() const { return m_client; }

    std::string turnText() const override;
    void setTurnText(const std::string &text) override;
    std::string whiteCountText() const override;
    void setWhiteCountText(const std::string &text) override;
    std::string blackCountText() const override;
    void setBlackCountText(const std::string &text) override;
    int twoPlayerValue() const override;
    void setTwoPlayerValue(int value) override;
    bool twoPlayerMenuChecked() const override;
    void setTwoPlayerMenuChecked(bool checked) override;
    void setModeControlsEnabled(bool enabled) override;
    void showDiscs(const std::array<std::int32_t, kBoardSquares> &board) override;
    void showMessage(const std::string &text) override;
    Clock::time_point now() const override;
    void processEvents(Clock::duration maxWait) override;
    double random() override;

  protected:
    // Plays the music file at musicPath instead, its pauses timed by musicPause.
    frmMain(std::string musicPath, std::unique_ptr<OneShotTimer> musicPause);

    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Ends the whole process at once; nothing is saved and nothing asks.
    virtual void endProgram();

  private:
    void connectHandlers();
    void Form_Load();
    void Form_Resize();
    void tellMinimumSize();
    void Form_Unload();
    void SizeBoard(std::int32_t plngLeft, std::int32_t plngTop, std::int32_t plngSquareDimension,
                   std::int32_t plngDiscDiameter);
    void startBackgroundMusic();
    void playMusic();
    void rewindAndPlayMusic();
    void NeloWav1_Done(int16_t NotifyCode);
    std::int32_t musicFrames();
    void mnuTwoPlayer_Triggered(bool checkedByMenu);
    void mnuExit_Click();
    void mnuSndOff_Click();
    void mnuSndOn_Click();
    void mnuRules_Click();
    void mnuAbout_Click();

    QWidget *m_client = nullptr;
    MainControls m_controls;
    MainMenus m_menus;
    GameRules m_rules;
    std::mt19937 m_generator;
    // The hidden wave control that plays the music, and the sound switch of the Sound menu.
    // The file name's bytes, which a QString could not hold for every name.
    std::string m_musicPath;
    std::unique_ptr<ControlSite> NeloWav1;
    bool mfSoundOff = false;
    // Read once the music is open: a sound of no frames has nothing to play, however often
    // it is started.
    std::int32_t m_musicFrames = 0;
    std::unique_ptr<OneShotTimer> m_musicPause;
    MusicRestart m_musicRestart{*m_musicPause, [this] { rewindAndPlayMusic(); }};
};

} // namespace korvane
