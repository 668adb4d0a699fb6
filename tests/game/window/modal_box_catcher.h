// Closes every message box that a test opens, remembering what each one showed.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace korvane::test {

struct CaughtBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class ModalBoxCatcher : public QObject {
  public:
    ModalBoxCatcher();

    const std::vector<CaughtBox> &boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }
    // Runs while the next box is still open, before it is closed.
    void whileOpen(std::function<void()> action) { m_whileOpen = std::move(action); }

  private:
    void closeActiveBox();

    QTimer m_poll;
    std::vector<CaughtBox> m_boxes;
    std::function<void()> m_whileOpen;
    bool m_closing = false;
};

} // namespace korvane::test
