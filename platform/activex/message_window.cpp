// Posted window messages as queued Qt events.
#include "activex/message_window.h"

#include "activex/ole_control_module.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

QEvent::Type windowMessageEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class WindowMessageEvent final : public QEvent {
  public:
    WindowMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(windowMessageEventType())
        , m_message(message)
        , m_wParam(wParam)
        , m_lParam(lParam) {}

    UINT message() const { return m_message; }
    WPARAM wParam() const { return m_wParam; }
    LPARAM lParam() const { return m_lParam; }

  private:
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

} // namespace

CMessageWindow::CMessageWindow(WindowProcedure procedure)
    : m_procedure(std::move(procedure)) {
    // A window whose deletion is deferred keeps the module loaded until it is really gone.
    AfxOleLockApp();
    m_hwnd = RegisterMessageWindow([this](UINT message, WPARAM wParam, LPARAM lParam) {
        // postEvent is safe from any thread; the registry's lock keeps this object alive
        // until the post has been queued.
        QCoreApplication::postEvent(this, new WindowMessageEvent(message, wParam, lParam));
    });
}

CMessageWindow::~CMessageWindow() {
    UnregisterMessageWindow(m_hwnd);
    AfxOleUnlockApp();
}

void CMessageWindow::destroy(CMessageWindow *window) {
    if (window == nullptr)
        return;
    UnregisterMessageWindow(window->m_hwnd);
    window->m_procedure = nullptr;
    if (window->m_dispatchDepth > 0)
        window->deleteLater();
    else
        delete window;
}

bool CMessageWindow::event(QEvent *event) {
    if (event->type() != windowMessageEventType())
        return QObject::event(event);
    const auto *message = static_cast<WindowMessageEvent *>(event);
    if (m_procedure) {
        const WindowProcedure procedure = m_procedure;
        ++m_dispatchDepth;
        procedure(message->message(), message->wParam(), message->lParam());
        --m_dispatchDepth;
    }
    return true;
}
