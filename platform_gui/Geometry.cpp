#include "platform_gui/Geometry.h"

#include <algorithm>

namespace platform {

void OffsetRect(TRect& rect, int dx, int dy)
{
    rect = {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

void InflateRect(TRect& rect, int dx, int dy)
{
    rect = {rect.Left - dx, rect.Top - dy, rect.Right + dx, rect.Bottom + dy};
}

bool IntersectRect(TRect& target, const TRect& a, const TRect& b)
{
    const TRect common{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                       std::min(a.Bottom, b.Bottom)};
    target = common.IsEmpty() ? TRect{} : common;
    return !common.IsEmpty();
}

bool UnionRect(TRect& target, const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        target = b.IsEmpty() ? TRect{} : b;
    else if (b.IsEmpty())
        target = a;
    else
        target = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                  std::max(a.Bottom, b.Bottom)};
    return !target.IsEmpty();
}

bool PtInRect(const TRect& rect, TPoint point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

} // namespace platform
