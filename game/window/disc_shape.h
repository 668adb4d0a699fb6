// One disc of the board: a filled circle with an outline, drawn above its square and
// letting the mouse through to it.
#pragma once

#include <QColor>
#include <QWidget>

namespace korvane {

class DiscShape : public QWidget {
  public:
    explicit DiscShape(QWidget *parent);

    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor m_fillColor = Qt::black;
};

} // namespace korvane
