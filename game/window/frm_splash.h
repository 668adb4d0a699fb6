// The start-up window: the splash picture, centred and borderless, until its timer hands
// over to the main window.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;

namespace korvane {

class frmSplash : public QWidget {
    Q_OBJECT

  public:
    using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

    static constexpr int kSplashMilliseconds = 1800;

    explicit frmSplash(MainWindowFactory createMainWindow);

    QWidget *mainWindow() const { return m_mainWindow.get(); }

  private:
    void tmrSplash_Timer();

    MainWindowFactory m_createMainWindow;
    std::unique_ptr<QWidget> m_mainWindow;
    QLabel *Image1 = nullptr;
    QTimer tmrSplash;
};

} // namespace korvane
