#pragma once
// Window shapes cut from skin images: every pixel that is not the key colour belongs to the shape.
#include <QImage>
#include <QRegion>
#include <QRgb>

// The region of the bitmap's pixels that are not key-coloured, moved by (x0, y0). A pixel is
// key-coloured when each of its channels lies between the key's and the key's plus the channel's
// tolerance (at most 255), so a skin's near-magenta pixels count as key too.
QRegion RegionFromBitmap(const QImage& bitmap, int x0, int y0, int toleranceRed, int toleranceGreen,
                         int toleranceBlue, QRgb key);
