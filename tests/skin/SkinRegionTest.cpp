#include "skin/core/SkinRegion.h"
#include "skin/core/SkinDraw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// An image from rows of text: 'm' magenta, 'g' magenta with green 1, '.' near magenta with green 2,
// anything else a plain colour.
QImage FromRows(const std::vector<const char*>& rows)
{
    const int width = static_cast<int>(strlen(rows[0]));
    QImage image(width, static_cast<int>(rows.size()), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x) {
            const char c = rows[static_cast<size_t>(y)][x];
            image.setPixel(x, y,
                           c == 'm'   ? qRgb(255, 0, 255)
                           : c == 'g' ? qRgb(255, 1, 255)
                           : c == '.' ? qRgb(255, 2, 255)
                                      : qRgb(40, 50, 60));
        }
    return image;
}

TEST(RegionFromBitmap, CoversEveryPixelThatIsNotKey)
{
    struct Case {
        const char* what;
        std::vector<const char*> rows;
    };
    const Case cases[] = {
        {"all magenta", {"mmm", "mmm"}},
        {"green 1 counts as key", {"gmg", "mgm"}},
        {"runs per row", {"xxmxm", "mxxxx", "mxxxx", "xmmmx"}},
        {"green 2 is not key", {"m.m", "..."}},
        {"no key at all", {"xx", "xx"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = FromRows(c.rows);
        const QRegion region = RegionFromBitmap(image, 7, -3, 1, 1, 1, SkinKeyColor);
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const char ch = c.rows[static_cast<size_t>(y)][x];
                const bool inside = ch != 'm' && ch != 'g';
                pixels += inside;
                EXPECT_EQ(region.contains(QPoint(x + 7, y - 3)), inside) << x << "," << y;
            }
        int area = 0;
        for (const QRect& rect : region)
            area += rect.width() * rect.height();
        EXPECT_EQ(area, pixels);
    }
}

TEST(RegionFromBitmap, RowsAlikeShareOneBand)
{
    const QRegion region =
        RegionFromBitmap(FromRows({"mxxm", "mxxm", "mxxm", "xxxx"}), 0, 0, 1, 1, 1, SkinKeyColor);
    EXPECT_EQ(region.rectCount(), 2);
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 4, 4));
}

} // namespace
