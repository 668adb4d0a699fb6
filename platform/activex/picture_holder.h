// A picture made from a bitmap resource, rendered into a rectangle of a painter.
#pragma once

#include "base/platform_types.h"

#include <QImage>
#include <QRect>

class QPainter;

class CPictureHolder {
  public:
    // Zero when the module has no bitmap of that number.
    BOOL CreateFromBitmap(UINT idResource);
    // Stretches the picture over bounds; nothing when there is no picture.
    void Render(QPainter *painter, const QRect &bounds) const;

  private:
    QImage m_picture;
};
