// The splash stays, hidden, once it has handed over: the program ends through the main
// window only.
#include "frm_splash.h"

#include "icon_art.h"
#include "splash_art.h"
#include "window_placement.h"
#include "window_texts.h"

#include <QLabel>

namespace korvane {

frmSplash::frmSplash(MainWindowFactory createMainWindow, std::unique_ptr<OneShotTimer> timer)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_createMainWindow(std::move(createMainWindow))
    , Image1(new QLabel(this))
    , tmrSplash(std::move(timer)) {
    setWindowTitle(window_texts::toQString(window_texts::kSplashCaption));
    setWindowIcon(korvaneIcon());
    Image1->setPixmap(drawSplashPicture());
    Image1->setGeometry(0, 0, kSplashWidth, kSplashHeight);
    setFixedSize(kSplashWidth, kSplashHeight);
    centreOnScreen(this, size());
    tmrSplash->start(kSplashTime, [this] { tmrSplash_Timer(); });
}

void frmSplash::tmrSplash_Timer() {
    hide();
    m_mainWindow = m_createMainWindow();
    m_mainWindow->show();
}

} // namespace korvane
