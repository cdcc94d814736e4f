#pragma once
// Bitmaps placed on a canvas: plain, centred, stretched, tiled, transparent or masked, clipped by a
// packed offset, and a canvas area split into image and mask for masked drawing. Canvas and bitmap
// only, no widget: the image containers draw their items through these.
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"

// Placement flags of PlaceBitmap.
inline constexpr unsigned pbClip = 0x01;          // nothing outside the target
inline constexpr unsigned pbCenter = 0x08;        // offsets rounded toward zero
inline constexpr unsigned pbStretch = 0x10;       // nearest neighbour
inline constexpr unsigned pbAspectHeight = 0x200; // with pbStretch: the height of the target decides
inline constexpr unsigned pbAspectWidth = 0x400;  // with pbStretch: the width decides; both: the fit
inline constexpr unsigned pbTile = 0x20;          // (target div source) + 1 copies each way
inline constexpr unsigned pbTransparent = 0x40;   // pixels of the given colour left out
inline constexpr unsigned pbBrushCopy = 0x80;     // pixels of the source's transparent colour in the brush
inline constexpr unsigned pbMasked = 0x100;       // through the mask: black takes the source
inline constexpr unsigned pbPalette = 0x1000;     // palettes mean nothing in true colour

// The area sourceRect of source placed in target by the flags. painted receives the area painted
// (the whole target when that is empty); an empty source paints nothing and leaves it empty.
void PlaceBitmap(platform::TCanvas& canvas, const platform::TRect& target, const platform::TBitmap& source,
                 platform::TRect& painted, const platform::TBitmap* mask, platform::TColor color,
                 unsigned flags, const platform::TRect& sourceRect);

// The whole bitmap through DrawBitmapClipped; nothing while the pen of the bitmap's own canvas stands
// at x = -1 (its owner's sign for "do not draw").
void DrawBitmapEx(platform::TCanvas& canvas, const platform::TRect& rect, platform::TBitmap& bitmap,
                  platform::TColor color, int clipOffset, unsigned flags);
// PlaceBitmap; with pbClip inside the target moved by the clip offset, the clip removed afterwards.
void DrawBitmapClipped(platform::TCanvas& canvas, const platform::TRect& rect,
                       const platform::TBitmap& source, const platform::TBitmap* mask, platform::TColor color,
                       int clipOffset, unsigned flags, const platform::TRect& sourceRect);
// The whole bitmap through PlaceBitmap; painted starts empty and stays so when nothing is drawn (the
// pen of the bitmap's own canvas at x = -1).
void DrawBitmapPalette(platform::TCanvas& canvas, const platform::TRect& rect, platform::TBitmap& bitmap,
                       platform::TRect& painted, platform::TColor color, unsigned flags);
// The canvas's pixels in rect as image and mask for masked drawing: the mask (one bit) is white where
// the pixel has the transparent colour, black elsewhere; the image is black where the mask is white.
// Both empty where the canvas cannot be read.
void CopyWithMask(platform::TCanvas& canvas, const platform::TRect& rect, platform::TBitmap& mask,
                  platform::TColor transparent, platform::TBitmap& image);

// A clip offset packs x in its low and y in its high signed 16 bits.
platform::TPoint ClipOffsetPoint(int clipOffset);
