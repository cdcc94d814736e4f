#pragma once
// The pen and the brush of a canvas, as value types with OnChange like the font: copying takes the
// settings, never the handler.
#include "platform_gui/Color.h"

#include <QImage>
#include <functional>

namespace platform {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen's pixels combine with what is there: copy, invert, or exclusive-or with the colour.
enum class TPenMode { pmCopy, pmNot, pmXor, pmNotXor };

class TPen {
public:
    TPen() = default;
    TPen(const TPen& other)
        : color_(other.color_), width_(other.width_), style_(other.style_), mode_(other.mode_)
    {
    }
    TPen& operator=(const TPen& other);

    TColor Color() const { return color_; }
    int Width() const { return width_; }
    TPenStyle Style() const { return style_; }
    TPenMode Mode() const { return mode_; }
    void SetColor(TColor color);
    // Below 1 counts as 1.
    void SetWidth(int width);
    void SetStyle(TPenStyle style);
    void SetMode(TPenMode mode);
    // Nothing is drawn: clear style, or no colour.
    bool IsClear() const { return style_ == TPenStyle::psClear || color_ == clNone; }

    std::function<void()> OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenMode mode_ = TPenMode::pmCopy;
};

// Hatches are 8 x 8 cells in the brush colour over the background colour (or over what is there
// while the background mode is transparent).
enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush {
public:
    TBrush() = default;
    TBrush(const TBrush& other) : color_(other.color_), style_(other.style_), pattern_(other.pattern_) {}
    TBrush& operator=(const TBrush& other);

    TColor Color() const { return color_; }
    TBrushStyle Style() const { return style_; }
    // A pattern image tiled from the canvas's brush origin; when set it wins over colour and style.
    const QImage& Bitmap() const { return pattern_; }
    void SetColor(TColor color);
    void SetStyle(TBrushStyle style);
    void SetBitmap(const QImage& pattern);
    // Nothing is filled: clear style, or a solid brush of no colour.
    bool IsClear() const { return pattern_.isNull() && (style_ == TBrushStyle::bsClear || color_ == clNone); }

    std::function<void()> OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    QImage pattern_;
};

// The 8 x 8 cell of a hatch style: a set bit is painted in the brush colour. Row r of the cell is
// byte r, its most significant bit the leftmost pixel.
const unsigned char* HatchCell(TBrushStyle style);

} // namespace platform
