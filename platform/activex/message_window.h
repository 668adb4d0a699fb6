// The control's window: a Qt object on the thread that made it, registered as a window
// handle so that any thread can post messages to it, which then run on that thread.
#pragma once

#include "base/window_message.h"

#include <QObject>
#include <functional>

class CMessageWindow final : public QObject {
  public:
    using WindowProcedure = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit CMessageWindow(WindowProcedure procedure);
    ~CMessageWindow() override;
    CMessageWindow(const CMessageWindow &) = delete;
    CMessageWindow &operator=(const CMessageWindow &) = delete;

    // Null when the handle could not be registered.
    HWND handle() const { return m_hwnd; }

    // Stops the window at once and deletes it, later if it is running its procedure now (the
    // procedure's owner may be going away from inside it).
    static void destroy(CMessageWindow *window);

  protected:
    bool event(QEvent *event) override;

  private:
    WindowProcedure m_procedure;
    HWND m_hwnd = nullptr;
    int m_dispatchDepth = 0;
};
