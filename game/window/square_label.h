// One green square of the board: a bordered label that reports a left click on it.
#pragma once

#include <QLabel>

namespace korvane {

class SquareLabel : public QLabel {
    Q_OBJECT

  public:
    explicit SquareLabel(QWidget *parent);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    bool m_pressed = false;
};

} // namespace korvane
