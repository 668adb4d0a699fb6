// Bitmap resources as pictures.
#include "activex/picture_holder.h"

#include "activex/ole_control_module.h"

#include <QPainter>

BOOL CPictureHolder::CreateFromBitmap(UINT idResource) {
    const COleControlModule *module = AfxGetInstanceHandle();
    m_picture = module != nullptr ? module->LoadBitmap(idResource) : QImage();
    return m_picture.isNull() ? 0 : 1;
}

void CPictureHolder::Render(QPainter *painter, const QRect &bounds) const {
    if (!m_picture.isNull())
        painter->drawImage(bounds, m_picture);
}
