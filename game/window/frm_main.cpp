// frmMain's life: creation and load, the board's layout on every resize, the menu
// commands, and the end of the program when the window closes.
#include "frm_main.h"

#include "activex/control_site.h"
#include "board_sizing.h"
#include "disc_shape.h"
#include "icon_art.h"
#include "message_box.h"
#include "program_folder.h"
#include "square_label.h"
#include "twips.h"
#include "window_placement.h"
#include "window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace korvane {
namespace {

constexpr int kInitialClientWidth = 4830;
constexpr int kInitialClientHeight = 5280;

std::mt19937::result_type clockSeed() {
    return static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace

frmMain::frmMain()
    : frmMain(programFolder() + "/Music.wav", makeEventLoopTimer()) {
}

frmMain::frmMain(std::string musicPath, std::unique_ptr<OneShotTimer> musicPause)
    : m_client(new QWidget(this))
    , m_controls(createMainControls(m_client))
    , m_menus(createMainMenus(this))
    , m_rules(*this)
    , m_musicPath(std::move(musicPath))
    , NeloWav1(std::make_unique<ControlSite>())
    , m_musicPause(std::move(musicPause)) {
    setWindowTitle(window_texts::toQString(window_texts::kProgramTitle));
    setWindowIcon(korvaneIcon());
    QPalette buttonFace = m_client->palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    m_client->setPalette(buttonFace);
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);

    const QSize client(twipsToPixels(kInitialClientWidth), twipsToPixels(kInitialClientHeight));
    resize(client.width(), client.height() + menuBar()->heightForWidth(client.width()));
    centreOnScreen(this, size());
    m_controls.cmdReset->setFocus();

    connectHandlers();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers() {
    for (int index = 0; index < kBoardSquares; ++index) {
        connect(m_controls.lblSquare[static_cast<std::size_t>(index)], &SquareLabel::clicked, this,
                [this, index] { m_rules.lblSquare_Click(static_cast<std::int16_t>(index)); });
    }
    connect(m_controls.cmdReset, &QPushButton::clicked, this, [this] { m_rules.cmdReset_Click(); });
    // toggled, not clicked: a change of the value made by code must run the handler too.
    connect(m_controls.chkTwoPlayer, &QCheckBox::toggled, this,
            [this] { m_rules.chkTwoPlayer_Click(); });

    connect(m_menus.mnuNew, &QAction::triggered, this, [this] { m_rules.mnuNew_Click(); });
    connect(m_menus.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_menus.mnuTwoPlayer, &QAction::triggered, this, &frmMain::mnuTwoPlayer_Triggered);
    connect(m_menus.mnuSndOff, &QAction::triggered, this, &frmMain::mnuSndOff_Click);
    connect(m_menus.mnuSndOn, &QAction::triggered, this, &frmMain::mnuSndOn_Click);
    connect(m_menus.mnuRules, &QAction::triggered, this, &frmMain::mnuRules_Click);
    connect(m_menus.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

// Positions are twips throughout (see twips.h), so there is no scale unit left to set.
void frmMain::Form_Load() {
    m_rules.ResetGame();
    startBackgroundMusic();
    m_generator.seed(clockSeed());
    m_rules.mfGameOver = false;
}

void frmMain::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    tellMinimumSize();
    Form_Resize();
}

// A window manager often frames the window by moving it into the frame; the frame's size is
// known from then on.
void frmMain::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    tellMinimumSize();
}

// Form_Resize snaps a too small window back only once a drag is let go; told the minimum, the
// window manager stops the drag there instead of clipping the header meanwhile. The minimum
// it enforces is that of the client window, so the frame is taken off.
void frmMain::tellMinimumSize() {
    const int minimumOuter = twipsToPixels(kMinimumOuterSize);
    setMinimumSize(QSize(minimumOuter, minimumOuter) - (frameGeometry().size() - size()));
}

// A change of state is a resize too: a window restored from its minimised state may have
// been resized meanwhile, while the handler did nothing.
void frmMain::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmMain::Form_Resize() {
    if (isMinimized())
        return;
    // Each resize below runs this handler again before returning, for the size it sets.
    const int minimumOuter = twipsToPixels(kMinimumOuterSize);
    if (frameGeometry().width() < minimumOuter)
        resize(width() + minimumOuter - frameGeometry().width(), height());
    if (frameGeometry().height() < minimumOuter)
        resize(width(), height() + minimumOuter - frameGeometry().height());

    const BoardSize board =
        boardSizeForClient(pixelsToTwips(m_client->width()), pixelsToTwips(m_client->height()));
    SizeBoard(kBoardLeft, kBoardTop, board.square, board.disc);
}

void frmMain::SizeBoard(std::int32_t plngLeft, std::int32_t plngTop,
                        std::int32_t plngSquareDimension, std::int32_t plngDiscDiameter) {
    const BoardPlacement placement =
        placeBoard(plngLeft, plngTop, plngSquareDimension, plngDiscDiameter);
    for (std::size_t index = 0; index < placement.size(); ++index) {
        m_controls.lblSquare[index]->setGeometry(twipsToPixels(placement[index].square));
        m_controls.shpDisc[index]->setGeometry(twipsToPixels(placement[index].disc));
    }
}

void frmMain::closeEvent(QCloseEvent *event) {
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload() {
    endProgram();
}

void frmMain::endProgram() {
    // Ends even from inside the computer's pause or a message box, where leaving the
    // event loop would let the interrupted turn run on.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void frmMain::mnuTwoPlayer_Triggered(bool checkedByMenu) {
    // The menu has already toggled its own mark; the mark follows the check box instead.
    m_menus.mnuTwoPlayer->setChecked(!checkedByMenu);
    m_rules.mnuTwoPlayer_Click();
}

void frmMain::mnuExit_Click() {
    endProgram();
}

void frmMain::mnuRules_Click() {
    showMessageBox(this, window_texts::toQString(window_texts::kRulesTitle),
                   window_texts::rulesText());
}

void frmMain::mnuAbout_Click() {
    showMessageBox(this, window_texts::toQString(window_texts::kAboutTitle),
                   window_texts::toQString(window_texts::kAboutText));
}

} // namespace korvane
