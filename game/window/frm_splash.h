// The start-up window: the splash picture, centred and borderless, until its timer hands
// over to the main window.
#pragma once

#include "one_shot_timer.h"

#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

class QLabel;

namespace korvane {

class frmSplash : public QWidget {
    Q_OBJECT

  public:
    using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

    static constexpr std::chrono::milliseconds kSplashTime{1800};

    // timer times the hand-over.
    explicit frmSplash(MainWindowFactory createMainWindow,
                       std::unique_ptr<OneShotTimer> timer = makeEventLoopTimer());

    QWidget *mainWindow() const { return m_mainWindow.get(); }

  private:
    void tmrSplash_Timer();

    MainWindowFactory m_createMainWindow;
    std::unique_ptr<QWidget> m_mainWindow;
    QLabel *Image1 = nullptr;
    std::unique_ptr<OneShotTimer> tmrSplash;
};

} // namespace korvane
