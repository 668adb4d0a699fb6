// The control's pictures, drawn by code: its face, its toolbox picture and its icon.
#pragma once

#include <QImage>

// 62 by 40, 16 colours: a loudspeaker beside a screen showing a wave.
QImage MakeFaceBitmap();
// 16 by 15, 16 colours: the wave screen alone.
QImage MakeToolboxBitmap();
// 32 by 32 with a transparent background: a loudspeaker sending out sound.
QImage MakeAboutIcon();
