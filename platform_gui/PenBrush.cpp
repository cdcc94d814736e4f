#include "platform_gui/PenBrush.h"

#include <algorithm>

namespace platform {

TPen& TPen::operator=(const TPen& other)
{
    if (color_ == other.color_ && width_ == other.width_ && style_ == other.style_ && mode_ == other.mode_)
        return *this;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    mode_ = other.mode_;
    Changed();
    return *this;
}

void TPen::SetColor(TColor color)
{
    if (color_ == color)
        return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    width = std::max(width, 1);
    if (width_ == width)
        return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style_ == style)
        return;
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode_ == mode)
        return;
    mode_ = mode;
    Changed();
}

TBrush& TBrush::operator=(const TBrush& other)
{
    if (color_ == other.color_ && style_ == other.style_ && pattern_ == other.pattern_)
        return *this;
    color_ = other.color_;
    style_ = other.style_;
    pattern_ = other.pattern_;
    Changed();
    return *this;
}

void TBrush::SetColor(TColor color)
{
    if (color_ == color)
        return;
    color_ = color;
    // As in the original, giving a colour makes a clear brush solid.
    if (style_ == TBrushStyle::bsClear)
        style_ = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style_ == style)
        return;
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(const QImage& pattern)
{
    if (pattern_ == pattern)
        return;
    pattern_ = pattern;
    Changed();
}

const unsigned char* HatchCell(TBrushStyle style)
{
    static const unsigned char horizontal[8] = {0, 0, 0, 0, 0, 0, 0, 0xFF};
    static const unsigned char vertical[8] = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
    static const unsigned char forward[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static const unsigned char backward[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static const unsigned char cross[8] = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF};
    static const unsigned char diagonalCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (style) {
    case TBrushStyle::bsHorizontal:
        return horizontal;
    case TBrushStyle::bsVertical:
        return vertical;
    case TBrushStyle::bsFDiagonal:
        return forward;
    case TBrushStyle::bsBDiagonal:
        return backward;
    case TBrushStyle::bsCross:
        return cross;
    case TBrushStyle::bsDiagCross:
        return diagonalCross;
    default:
        return nullptr;
    }
}

} // namespace platform
