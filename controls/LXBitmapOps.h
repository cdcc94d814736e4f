#pragma once
// Pixel operations on 24-bit bitmaps: each reads an area of a source and writes the result at a
// point of a target, which may be the same bitmap. Areas are clipped to their bitmaps and the
// result to the target; the area is read whole before anything is written, so overlapping
// in-place calls give the same picture as separate bitmaps would.
#include "controls/LXErrors.h"
#include "platform_gui/Bitmap.h"

// "Wrong PixelFormat in <role> bitmap!"
class ELXWrongPixelFormat : public ELXException {
public:
    explicit ELXWrongPixelFormat(const QString& role);
};

// Every channel becomes the grey of 0.30 R + 0.59 G + 0.11 B, each term from its rounded table.
void GrayScaleBitmap(const platform::TBitmap& source, const platform::TRect& area, platform::TBitmap& target,
                     platform::TPoint at);
void FlipLeftRight(const platform::TBitmap& source, const platform::TRect& area, platform::TBitmap& target,
                   platform::TPoint at);
void FlipTopBottom(const platform::TBitmap& source, const platform::TRect& area, platform::TBitmap& target,
                   platform::TPoint at);
void InvertBitmap(const platform::TBitmap& source, const platform::TRect& area, platform::TBitmap& target,
                  platform::TPoint at);
// Each channel plus amount, kept within 0..255.
void BrightenBitmap(const platform::TBitmap& source, const platform::TRect& area, platform::TBitmap& target,
                    int amount, platform::TPoint at);
// Each channel S2 + round((S1 - S2) strength): strength 1 is source 1, 0 is source 2.
void AlphaBlendBitmaps(const platform::TBitmap& source1, const platform::TBitmap& source2,
                       const platform::TRect& area, platform::TPoint at, double strength,
                       platform::TBitmap& target, platform::TPoint source2Point);
