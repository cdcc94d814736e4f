#include "menus/PMPlacement.h"

#include <algorithm>

using platform::TRect;

namespace {

bool Overlaps(int x, int y, int width, int height, const TRect& r)
{
    return x < r.Right && x + width > r.Left && y < r.Bottom && y + height > r.Top;
}

} // namespace

TPMPlacement PlacePopup(const TRect& reference, const TRect& monitor, int width, int height, bool asSubmenu,
                        TPopupAlignment alignment, bool preferLeft)
{
    const TRect& p = reference;
    const TRect& m = monitor;
    TPMPlacement placement;
    int x = p.Left;
    int y = p.Top;
    if (asSubmenu) {
        x = p.Right - 3; // 3 pixels over the parent entry
        y = p.Top - 3;
    } else if (alignment == paRight) {
        x = p.Left - width;
    } else if (alignment == paCenter) {
        x = p.Left - width / 2;
    }

    if (y + height > m.Bottom) {
        const int above = (asSubmenu ? p.Bottom + 3 : p.Top) - height;
        if (above >= m.Top)
            y = above;
    }
    y = std::max(std::min(y, m.Bottom - height), m.Top);

    if (asSubmenu) {
        bool left = preferLeft;
        for (;;) {
            if (!left && x + width <= m.Right)
                break;
            const int leftX = p.Left + 3 - width;
            if (!left || leftX >= m.Left) {
                placement.openedLeft = true;
                x = leftX;
                break;
            }
            left = false; // no room on the left either: back to the right-hand place
            x = p.Right - 3;
        }
        x = std::max(x, m.Left);
        placement.direction = x + width / 2 < p.Left + p.Width() / 2 ? adLeft : adRight;
    } else {
        if (alignment == paRight && x < m.Left)
            x += width;
        if (x + width > m.Right)
            x = alignment == paLeft ? x - width : m.Right - width;
        x = std::max(x, m.Left);
        if (p.Top - height >= m.Top && Overlaps(x, y, width, height, p))
            y = p.Top - height;
        if (Overlaps(x, y, width, height, p)) {
            x = p.Right + width <= m.Right ? p.Right : p.Left - width;
            x = std::max(x, m.Left);
        }
        if (y >= p.Bottom)
            placement.direction = adDown;
        else if (p.Top >= y + height)
            placement.direction = adUp;
        if (x >= p.Right)
            placement.direction |= adRight;
        else if (p.Left >= x + width)
            placement.direction |= adLeft;
    }
    placement.bounds = platform::Bounds(x, y, width, height);
    return placement;
}
