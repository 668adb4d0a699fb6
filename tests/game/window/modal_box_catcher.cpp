// Polls for the active modal widget, since a box's own event loop runs inside the code
// under test and returns only once the box is closed.
#include "modal_box_catcher.h"

#include <QApplication>
#include <QPushButton>
#include <QScopedValueRollback>
#include <utility>

namespace korvane::test {

ModalBoxCatcher::ModalBoxCatcher() {
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &ModalBoxCatcher::closeActiveBox);
    m_poll.start();
}

QStringList ModalBoxCatcher::texts() const {
    QStringList texts;
    for (const CaughtBox &box : m_boxes)
        texts << box.text;
    return texts;
}

void ModalBoxCatcher::closeActiveBox() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    // A whileOpen action that waits runs this again for the box it is already closing.
    if (m_closing || box == nullptr || !box->isVisible())
        return;
    const QScopedValueRollback<bool> closing(m_closing, true);
    m_boxes.push_back({box->windowTitle(), box->text(), box->standardButtons(), box->icon()});
    if (m_whileOpen)
        std::exchange(m_whileOpen, {})();
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->done(0);
}

} // namespace korvane::test
