#pragma once
// Points and rectangles in the drawing routines' terms: a rectangle's Right and Bottom lie just
// outside it (a rectangle from 0 to 10 covers the pixels 0 to 9), unlike QRect's inclusive edges.
#include <QPoint>
#include <QRect>

namespace platform {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // No pixel inside: zero or negative width or height.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect& r)
    {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y)
{
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}
inline QPoint ToQPoint(TPoint p)
{
    return QPoint(p.X, p.Y);
}

// The rectangle routines of the original platform, with its results.
void OffsetRect(TRect& rect, int dx, int dy);
// Grows each side outward by dx and dy (negative values shrink).
void InflateRect(TRect& rect, int dx, int dy);
// The common part; false and an all-zero rectangle when they do not overlap.
bool IntersectRect(TRect& target, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty one counts as absent.
bool UnionRect(TRect& target, const TRect& a, const TRect& b);
// Left and Top inside, Right and Bottom outside.
bool PtInRect(const TRect& rect, TPoint point);

} // namespace platform
