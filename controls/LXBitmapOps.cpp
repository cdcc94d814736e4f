#include "controls/LXBitmapOps.h"

#include "platform/Numbers.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cstring>

using namespace platform;

ELXWrongPixelFormat::ELXWrongPixelFormat(const QString& role)
    : ELXException(QStringLiteral("Wrong PixelFormat in ") + role + QStringLiteral(" bitmap!"))
{
}

namespace {

void CheckFormat(const TBitmap& bitmap, const char* role)
{
    if (bitmap.PixelFormat() != TPixelFormat::pf24bit)
        throw ELXWrongPixelFormat(QString::fromLatin1(role));
}

// The area inside the bitmap; the target point moves with the pixels that stay, which for a mirror
// are the ones at the far end.
bool ClipArea(const TBitmap& bitmap, TRect& area, TPoint& at, bool mirrorX = false, bool mirrorY = false)
{
    TRect clipped;
    if (!IntersectRect(clipped, area, Rect(0, 0, bitmap.Width(), bitmap.Height())))
        return false;
    at.X += mirrorX ? area.Right - clipped.Right : clipped.Left - area.Left;
    at.Y += mirrorY ? area.Bottom - clipped.Bottom : clipped.Top - area.Top;
    area = clipped;
    return true;
}

// A copy of the area, so writing into the same bitmap cannot change what is still to be read.
QImage ReadArea(const TBitmap& bitmap, const TRect& area)
{
    return bitmap.Image().copy(area.ToQRect());
}

// The result written at the point, what falls outside the target left out.
void WriteArea(TBitmap& target, const QImage& result, TPoint at)
{
    const int first = std::max(0, -at.X);
    const int last = std::min(result.width(), target.Width() - at.X);
    if (first >= last)
        return;
    for (int j = 0; j < result.height(); ++j) {
        const int y = at.Y + j;
        if (y < 0 || y >= target.Height())
            continue;
        std::memcpy(target.ScanLine(y) + 3 * (at.X + first), result.constScanLine(j) + 3 * first,
                    3 * static_cast<size_t>(last - first));
    }
}

// Checks, clips and reads the area, lets the operation change the copy, and writes it out.
template <typename Transform>
void Apply(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at, bool mirrorX, bool mirrorY,
           Transform transform)
{
    CheckFormat(source, "Source");
    CheckFormat(target, "Target");
    TRect clipped = area;
    if (!ClipArea(source, clipped, at, mirrorX, mirrorY))
        return;
    QImage pixels = ReadArea(source, clipped);
    transform(pixels);
    WriteArea(target, pixels, at);
}

template <typename ChannelFn>
void MapChannels(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at, ChannelFn fn)
{
    Apply(source, area, target, at, false, false, [&](QImage& pixels) {
        for (int j = 0; j < pixels.height(); ++j) {
            uchar* line = pixels.scanLine(j);
            for (int i = 0; i < 3 * pixels.width(); ++i)
                line[i] = fn(line[i]);
        }
    });
}

struct GreyTables {
    std::array<uchar, 256> R, G, B;
    GreyTables()
    {
        // Integer rules so that the halves fall as they must: up for red, down for green and blue.
        for (int i = 0; i < 256; ++i) {
            R[i] = static_cast<uchar>((30 * i + 50) / 100);
            G[i] = static_cast<uchar>((59 * i + 49) / 100);
            B[i] = static_cast<uchar>((11 * i + 49) / 100);
        }
    }
};

} // namespace

void GrayScaleBitmap(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at)
{
    static const GreyTables tables;
    Apply(source, area, target, at, false, false, [](QImage& pixels) {
        for (int j = 0; j < pixels.height(); ++j) {
            uchar* p = pixels.scanLine(j);
            for (int i = 0; i < pixels.width(); ++i, p += 3)
                p[0] = p[1] = p[2] = static_cast<uchar>(tables.R[p[2]] + tables.G[p[1]] + tables.B[p[0]]);
        }
    });
}

void FlipLeftRight(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at)
{
    Apply(source, area, target, at, true, false, [](QImage& pixels) {
        for (int j = 0; j < pixels.height(); ++j) {
            uchar* line = pixels.scanLine(j);
            for (int l = 0, r = pixels.width() - 1; l < r; ++l, --r)
                std::swap_ranges(line + 3 * l, line + 3 * l + 3, line + 3 * r);
        }
    });
}

void FlipTopBottom(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at)
{
    Apply(source, area, target, at, false, true, [](QImage& pixels) {
        const int bytes = 3 * pixels.width();
        for (int t = 0, b = pixels.height() - 1; t < b; ++t, --b)
            std::swap_ranges(pixels.scanLine(t), pixels.scanLine(t) + bytes, pixels.scanLine(b));
    });
}

void InvertBitmap(const TBitmap& source, const TRect& area, TBitmap& target, TPoint at)
{
    MapChannels(source, area, target, at, [](uchar v) { return static_cast<uchar>(255 - v); });
}

void BrightenBitmap(const TBitmap& source, const TRect& area, TBitmap& target, int amount, TPoint at)
{
    MapChannels(source, area, target, at,
                [amount](uchar v) { return static_cast<uchar>(std::clamp(v + amount, 0, 255)); });
}

void AlphaBlendBitmaps(const TBitmap& source1, const TBitmap& source2, const TRect& area, TPoint at,
                       double strength, TBitmap& target, TPoint source2Point)
{
    CheckFormat(source1, "Source 1");
    CheckFormat(source2, "Source 2");
    CheckFormat(target, "Target");
    // Clip in source 1, then the same pixels in source 2, moving all three points together.
    TRect clipped = area;
    if (!ClipArea(source1, clipped, at))
        return;
    source2Point.X += clipped.Left - area.Left;
    source2Point.Y += clipped.Top - area.Top;
    TRect area2 = Bounds(source2Point.X, source2Point.Y, clipped.Width(), clipped.Height());
    TPoint shift = {0, 0};
    if (!ClipArea(source2, area2, shift))
        return;
    clipped = Bounds(clipped.Left + shift.X, clipped.Top + shift.Y, area2.Width(), area2.Height());
    at.X += shift.X;
    at.Y += shift.Y;

    std::array<int, 511> table;
    for (int d = -255; d <= 255; ++d)
        table[d + 255] = static_cast<int>(RoundHalfEven(d * strength));
    QImage pixels = ReadArea(source1, clipped);
    const QImage other = ReadArea(source2, area2);
    for (int j = 0; j < pixels.height(); ++j) {
        uchar* p = pixels.scanLine(j);
        const uchar* q = other.constScanLine(j);
        for (int i = 0; i < 3 * pixels.width(); ++i)
            p[i] = static_cast<uchar>(std::clamp(q[i] + table[p[i] - q[i] + 255], 0, 255));
    }
    WriteArea(target, pixels, at);
}
