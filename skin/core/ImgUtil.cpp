#include "skin/core/ImgUtil.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

using platform::TColor;

namespace {

int Channel(TColor color, int shift)
{
    return (static_cast<uint32_t>(color) >> shift) & 0xFF;
}

TColor FromChannels(int red, int green, int blue)
{
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The image in a 32-bit format the pixel loops can copy words of.
void MakeWordPixels(QImage& bitmap)
{
    if (bitmap.depth() != 32)
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
}

// A new image of the turned size in which pixel (x, y) of bitmap lands where place(x, y) says.
template <typename Place> void Turn(QImage& bitmap, Place place)
{
    MakeWordPixels(bitmap);
    QImage turned(bitmap.height(), bitmap.width(), bitmap.format());
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(bitmap.constScanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const QPoint to = place(x, y);
            reinterpret_cast<uint32_t*>(turned.scanLine(to.y()))[to.x()] = row[x];
        }
    }
    bitmap = turned;
}

} // namespace

void MakeGrayBitmap(QImage& bitmap)
{
    bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const int grey = (qBlue(row[x]) + qGreen(row[x]) + qRed(row[x])) / 3;
            row[x] = qRgb(grey, grey, grey);
        }
    }
}

void MirrorBitmap(QImage& bitmap)
{
    MakeWordPixels(bitmap);
    bitmap = bitmap.mirrored(true, false);
}

void FlipBitmap(QImage& bitmap)
{
    MakeWordPixels(bitmap);
    bitmap = bitmap.mirrored(false, true);
}

void RotateBitmapLeft(QImage& bitmap)
{
    const int width = bitmap.width();
    Turn(bitmap, [width](int x, int y) { return QPoint(y, width - 1 - x); });
}

void RotateBitmapRight(QImage& bitmap)
{
    const int height = bitmap.height();
    Turn(bitmap, [height](int x, int y) { return QPoint(height - 1 - y, x); });
}

TColor MixColors(TColor c1, TColor c2, int weight)
{
    c1 = platform::ColorToRGB(c1);
    c2 = platform::ColorToRGB(c2);
    const int scale = weight < 100 ? 100 : 1000;
    const auto mix = [&](int shift) {
        return (Channel(c2, shift) * (scale - weight) + Channel(c1, shift) * weight + scale / 2) / scale;
    };
    return FromChannels(mix(0), mix(8), mix(16));
}

int ColorSaturation(TColor color)
{
    const int channels[] = {Channel(color, 0), Channel(color, 8), Channel(color, 16)};
    const int high = *std::max_element(std::begin(channels), std::end(channels));
    const int low = *std::min_element(std::begin(channels), std::end(channels));
    if (high < 160)
        return 200;
    return static_cast<int>(std::nearbyint(double(high - low) / high * 255.0));
}

int GradientCache::GradientColors(int count, TColor c1, TColor c2)
{
    for (int slot = SlotCount - 1; slot >= 0; --slot) {
        if (slots_[slot].count == count && slots_[slot].from == c1 && slots_[slot].to == c2)
            return slot;
    }
    const int slot = next_;
    next_ = (next_ + 1) % SlotCount;
    Slot& run = slots_[slot];
    run = Slot{count, c1, c2, {}};
    const int steps = count - 1;
    for (int i = 0; i < std::max(count, 0); ++i) {
        // Truncation toward zero: a falling channel lands one short of where a rising one would.
        const auto step = [&](int shift) {
            const int difference = Channel(c2, shift) - Channel(c1, shift);
            return Channel(c1, shift) + (steps > 0 ? (steps / 2 + i * difference) / steps : difference / 2);
        };
        run.colors.append(FromChannels(step(0), step(8), step(16)));
    }
    return slot;
}

GradientCache& Gradients()
{
    static GradientCache cache;
    return cache;
}

void PaintGradient(QPainter& painter, const QRect& rect, TColor c1, TColor c2, bool vertical)
{
    const QRect device =
        painter.device() ? QRect(0, 0, painter.device()->width(), painter.device()->height()) : QRect();
    const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect()
                                             : painter.transform().inverted().mapRect(device);
    if (!clip.intersects(rect))
        return;
    const int extent = vertical ? rect.height() : rect.width();
    if (extent <= 0)
        return;
    const QList<TColor>& colors = Gradients().Colors(
        Gradients().GradientColors(extent, platform::ColorToRGB(c1), platform::ColorToRGB(c2)));
    const int first = std::max(0, vertical ? clip.top() - rect.top() : clip.left() - rect.left());
    const int last = std::min(extent - 1, vertical ? clip.bottom() - rect.top() : clip.right() - rect.left());
    for (int i = first; i <= last; ++i) {
        const QRect line = vertical ? QRect(rect.left(), rect.top() + i, rect.width(), 1)
                                    : QRect(rect.left() + i, rect.top(), 1, rect.height());
        painter.fillRect(line, platform::ToQColor(colors[i]));
    }
}
