// The two mode controls that always agree, and the New Game command.
#include "game_rules.h"

namespace korvane {

void GameRules::chkTwoPlayer_Click() {
    m_window.setTwoPlayerMenuChecked(!m_window.twoPlayerMenuChecked());
}

void GameRules::mnuTwoPlayer_Click() {
    // The window raises chkTwoPlayer_Click for the new value, which moves the check mark.
    m_window.setTwoPlayerValue(1 - m_window.twoPlayerValue());
}

void GameRules::cmdReset_Click() {
    ResetGame();
    mfGameOver = false;
}

void GameRules::mnuNew_Click() {
    cmdReset_Click();
}

} // namespace korvane
