#include "controls/LXBitmapDraw.h"

#include "controls/LXGeneral.h"
#include "platform/Numbers.h"

#include <QImage>
#include <cstdint>
#include <vector>

using namespace platform;

TPoint ClipOffsetPoint(int clipOffset)
{
    const auto packed = static_cast<uint32_t>(clipOffset);
    return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>(packed >> 16)};
}

namespace {

// Where one copy of the source goes, by the centring and stretching flags.
TRect PlacedRect(const TRect& target, int sw, int sh, unsigned flags)
{
    const int tw = target.Width(), th = target.Height();
    if (flags & pbCenter)
        return Bounds(target.Left + (tw - sw) / 2, target.Top + (th - sh) / 2, sw, sh);
    if (!(flags & pbStretch))
        return Bounds(target.Left, target.Top, sw, sh);
    const unsigned aspect = flags & (pbAspectWidth | pbAspectHeight);
    if (aspect == (pbAspectWidth | pbAspectHeight))
        return FitRect(Rect(0, 0, sw, sh), target);
    if (aspect == pbAspectWidth)
        return Bounds(target.Left, target.Top, tw, static_cast<int>(RoundHalfEven(double(sh) * tw / sw)));
    if (aspect == pbAspectHeight)
        return Bounds(target.Left, target.Top, static_cast<int>(RoundHalfEven(double(sw) * th / sh)), th);
    return target;
}

} // namespace

void PlaceBitmap(TCanvas& canvas, const TRect& target, const TBitmap& source, TRect& painted,
                 const TBitmap* mask, TColor color, unsigned flags, const TRect& sourceRect)
{
    const int sw = sourceRect.Width(), sh = sourceRect.Height();
    // Nothing to place: tiling and aspect stretching would divide by the empty size.
    if (sw <= 0 || sh <= 0 || source.Empty()) {
        painted = TRect();
        return;
    }
    std::vector<TRect> places;
    if (flags & pbTile) {
        const int columns = target.Width() / sw + 1, rows = target.Height() / sh + 1;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                places.push_back(Bounds(target.Left + column * sw, target.Top + row * sh, sw, sh));
    } else {
        places.push_back(PlacedRect(target, sw, sh, flags));
    }

    QImage image = source.Image();
    if (flags & pbBrushCopy) {
        // Pixels of the transparent colour take the brush colour; they do not become see-through.
        image = image.convertToFormat(QImage::Format_RGB32);
        const QRgb key = ToQColor(source.TransparentColor()).rgb();
        const QRgb brush = ToQColor(canvas.Brush.Color()).rgb();
        for (int y = sourceRect.Top; y < sourceRect.Bottom && y < image.height(); ++y)
            for (int x = sourceRect.Left; x < sourceRect.Right && x < image.width(); ++x)
                if (x >= 0 && y >= 0 && image.pixel(x, y) == key)
                    image.setPixel(x, y, brush);
    }
    if (flags & pbClip)
        canvas.SetClipRect(target);
    for (const TRect& place : places) {
        if ((flags & pbMasked) && mask)
            canvas.CopyMasked(place, image, sourceRect, mask->Image());
        else if (flags & pbTransparent)
            canvas.CopyTransparent(place, image, sourceRect, color);
        else
            canvas.CopyRect(place, image, sourceRect);
    }
    if (flags & pbClip)
        canvas.RemoveClip();
    UnionRect(painted, places.front(), places.back());
    if (painted.IsEmpty())
        painted = target;
}

void DrawBitmapClipped(TCanvas& canvas, const TRect& rect, const TBitmap& source, const TBitmap* mask,
                       TColor color, int clipOffset, unsigned flags, const TRect& sourceRect)
{
    if (flags & pbClip) {
        TRect clip = rect;
        const TPoint offset = ClipOffsetPoint(clipOffset);
        OffsetRect(clip, offset.X, offset.Y);
        canvas.SetClipRect(clip);
    }
    TRect painted;
    PlaceBitmap(canvas, rect, source, painted, mask, color, flags & ~pbClip, sourceRect);
    if (flags & pbClip)
        canvas.RemoveClip();
}

void DrawBitmapEx(TCanvas& canvas, const TRect& rect, TBitmap& bitmap, TColor color, int clipOffset,
                  unsigned flags)
{
    if (bitmap.Canvas().PenPos.X == -1)
        return;
    DrawBitmapClipped(canvas, rect, bitmap, nullptr, color, clipOffset, flags,
                      Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void DrawBitmapPalette(TCanvas& canvas, const TRect& rect, TBitmap& bitmap, TRect& painted, TColor color,
                       unsigned flags)
{
    painted = TRect();
    if (bitmap.Canvas().PenPos.X == -1)
        return;
    PlaceBitmap(canvas, rect, bitmap, painted, nullptr, color, flags,
                Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void CopyWithMask(TCanvas& canvas, const TRect& rect, TBitmap& mask, TColor transparent, TBitmap& image)
{
    QImage pixels = canvas.Grab(rect);
    if (pixels.isNull() || rect.IsEmpty()) {
        mask = TBitmap();
        image = TBitmap();
        return;
    }
    pixels = pixels.convertToFormat(QImage::Format_RGB32);
    QImage bits(pixels.size(), QImage::Format_Mono);
    bits.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const QRgb key = ToQColor(transparent).rgb() | 0xFF000000u;
    for (int y = 0; y < pixels.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const bool clear = (line[x] | 0xFF000000u) == key;
            bits.setPixel(x, y, clear ? 1 : 0);
            if (clear)
                line[x] = qRgb(0, 0, 0);
        }
    }
    mask.SetImage(bits);
    image.SetImage(pixels.convertToFormat(QImage::Format_BGR888));
}
