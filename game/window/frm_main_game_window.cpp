// frmMain as the rules see it: its labels and mode controls, the discs, the message box,
// the computer's pause and the random numbers.
#include "disc_shape.h"
#include "event_wait.h"
#include "frm_main.h"
#include "message_box.h"
#include "square_description.h"
#include "square_label.h"
#include "window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>

namespace korvane {
namespace {

std::string labelText(const QLabel *label) {
    return label->text().toStdString();
}

void setLabelText(QLabel *label, const std::string &text) {
    label->setText(QString::fromStdString(text));
}

} // namespace

std::string frmMain::turnText() const {
    return labelText(m_controls.lblTurn);
}

void frmMain::setTurnText(const std::string &text) {
    setLabelText(m_controls.lblTurn, text);
}

std::string frmMain::whiteCountText() const {
    return labelText(m_controls.lblWhite);
}

void frmMain::setWhiteCountText(const std::string &text) {
    setLabelText(m_controls.lblWhite, text);
}

std::string frmMain::blackCountText() const {
    return labelText(m_controls.lblBlack);
}

void frmMain::setBlackCountText(const std::string &text) {
    setLabelText(m_controls.lblBlack, text);
}

int frmMain::twoPlayerValue() const {
    return m_controls.chkTwoPlayer->isChecked() ? 1 : 0;
}

void frmMain::setTwoPlayerValue(int value) {
    m_controls.chkTwoPlayer->setChecked(value != 0);
}

bool frmMain::twoPlayerMenuChecked() const {
    return m_menus.mnuTwoPlayer->isChecked();
}

void frmMain::setTwoPlayerMenuChecked(bool checked) {
    m_menus.mnuTwoPlayer->setChecked(checked);
}

void frmMain::setModeControlsEnabled(bool enabled) {
    m_menus.mnuTwoPlayer->setEnabled(enabled);
    m_controls.chkTwoPlayer->setEnabled(enabled);
}

void frmMain::showDiscs(const std::array<std::int32_t, kBoardSquares> &board) {
    for (std::size_t index = 0; index < board.size(); ++index) {
        const std::int32_t color = board[index];
        DiscShape *disc = m_controls.shpDisc[index];
        if (color == GameRules::kEmpty) {
            disc->hide();
        } else {
            disc->setFillColor(color == GameRules::kWhite ? Qt::white : Qt::black);
            disc->show();
        }
        m_controls.lblSquare[index]->setAccessibleName(
            squareDescription(static_cast<int>(index), color));
    }
}

void frmMain::showMessage(const std::string &text) {
    showMessageBox(this, window_texts::toQString(window_texts::kProgramTitle),
                   QString::fromStdString(text));
}

GameWindow::Clock::time_point frmMain::now() const {
    return Clock::now();
}

void frmMain::processEvents(Clock::duration maxWait) {
    waitProcessingEvents(maxWait);
}

double frmMain::random() {
    // A 32-bit draw over 2^32 is uniform in [0, 1) and can never reach 1.
    constexpr double kDrawRange = 4294967296.0;
    return static_cast<double>(m_generator()) / kDrawRange;
}

} // namespace korvane
