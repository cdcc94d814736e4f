#include "skin/core/SkinRegion.h"

#include <algorithm>
#include <vector>

namespace {

struct ChannelRange {
    int low;
    int high;

    ChannelRange(int key, int tolerance) : low(key), high(std::min(key + std::max(tolerance, 0), 255)) {}
    bool Holds(int value) const { return value >= low && value <= high; }
};

struct Run {
    int start;
    int length;
    bool operator==(const Run&) const = default;
};

} // namespace

QRegion RegionFromBitmap(const QImage& bitmap, int x0, int y0, int toleranceRed, int toleranceGreen,
                         int toleranceBlue, QRgb key)
{
    const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB32);
    const ChannelRange red(qRed(key), toleranceRed);
    const ChannelRange green(qGreen(key), toleranceGreen);
    const ChannelRange blue(qBlue(key), toleranceBlue);
    const auto isKey = [&](QRgb pixel) {
        return red.Holds(qRed(pixel)) && green.Holds(qGreen(pixel)) && blue.Holds(qBlue(pixel));
    };

    // Rows with the same runs as the row above join its band, so the region is built already banded.
    std::vector<QRect> rects;
    std::vector<Run> band;
    std::vector<Run> row;
    int bandTop = 0;
    const auto closeBand = [&](int bandBottom) {
        for (const Run& run : band)
            rects.emplace_back(x0 + run.start, y0 + bandTop, run.length, bandBottom - bandTop);
    };
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        row.clear();
        for (int x = 0; x < pixels.width();) {
            if (isKey(line[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width() && !isKey(line[x]))
                ++x;
            row.push_back({start, x - start});
        }
        if (y == 0 || row != band) {
            closeBand(y);
            band.swap(row);
            bandTop = y;
        }
    }
    closeBand(pixels.height());

    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}
