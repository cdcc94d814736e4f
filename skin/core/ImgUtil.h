#pragma once
// The skin engine's image and colour routines: grey, mirror, flip and quarter turns on images, colour
// mixing, cached gradient runs and a saturation measure. Colours are 0x00BBGGRR values; a value with
// the top bit set names a system colour.
#include "platform_gui/Color.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <array>

class QPainter;

// Opaque RGB32, every pixel's channels set to (blue + green + red) div 3.
void MakeGrayBitmap(QImage& bitmap);
// Mirror, flip and the turns keep a 32-bit image's format (alpha included); other formats become RGB32.
void MirrorBitmap(QImage& bitmap);      // column x moves to column width - 1 - x
void FlipBitmap(QImage& bitmap);        // row y moves to row height - 1 - y
void RotateBitmapLeft(QImage& bitmap);  // (x, y) moves to column y, row width - 1 - x
void RotateBitmapRight(QImage& bitmap); // (x, y) moves to column height - 1 - y, row x

// A weighted mix in which weight is the share of c1: in percent below 100, in per mille from 100 on.
platform::TColor MixColors(platform::TColor c1, platform::TColor c2, int weight);

// 0 to 255 for a colour with a channel of 160 or more, else 200.
int ColorSaturation(platform::TColor color);

// The last 16 colour runs, reused when the count and both end colours match.
class GradientCache {
public:
    static constexpr int SlotCount = 16;

    // The slot holding the run of count colours from c1 to c2 (channel by channel, truncating).
    int GradientColors(int count, platform::TColor c1, platform::TColor c2);
    const QList<platform::TColor>& Colors(int slot) const { return slots_[slot].colors; }

private:
    struct Slot {
        int count = -1; // no run yet
        platform::TColor from = 0;
        platform::TColor to = 0;
        QList<platform::TColor> colors;
    };

    std::array<Slot, SlotCount> slots_;
    int next_ = 0;
};

// The cache the painting routines share (GUI thread).
GradientCache& Gradients();

// Fills rect line by line from c1 to c2, top to bottom when vertical, else left to right; only the
// lines that meet the painter's clip are painted.
void PaintGradient(QPainter& painter, const QRect& rect, platform::TColor c1, platform::TColor c2,
                   bool vertical);
