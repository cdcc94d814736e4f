#include "controls/LXBevel.h"

#include "controls/LXDraw.h"

using platform::TCanvas;
using platform::TColor;
using platform::TRect;

TLXBevel::TLXBevel() = default;

TLXBevel::TLXBevel(TLXBevelMode mode, bool systemFrame) : mode_(mode), systemFrame_(systemFrame)
{
    ComputeExtents();
}

void TLXBevel::Assign(const TLXObject& source)
{
    const auto* other = dynamic_cast<const TLXBevel*>(&source);
    if (other == nullptr) {
        TLXObject::Assign(source);
        return;
    }
    mode_ = other->mode_;
    styleOuter_ = other->styleOuter_;
    styleInner_ = other->styleInner_;
    widthOuter_ = other->widthOuter_;
    widthInner_ = other->widthInner_;
    borderWidth_ = other->borderWidth_;
    borderInnerWidth_ = other->borderInnerWidth_;
    borderColor_ = other->borderColor_;
    lightColor_ = other->lightColor_;
    shadowColor_ = other->shadowColor_;
    standardStyle_ = other->standardStyle_;
    edgeStyle_ = other->edgeStyle_;
    borderSides_ = other->borderSides_;
    systemFrame_ = other->systemFrame_;
    Changed();
}

void TLXBevel::Changed()
{
    ComputeExtents();
    TLXObject::Changed();
}

QString TLXBevel::GetInspectorText() const
{
    static const char* const names[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
    return QStringLiteral("{%1}").arg(QLatin1String(names[mode_]));
}

void TLXBevel::SetMode(TLXBevelMode mode)
{
    if (mode == mode_)
        return;
    if (systemFrame_ && (mode == bmWindows || mode_ == bmWindows))
        frameChanged_ = true;
    mode_ = mode;
    Changed();
}

void TLXBevel::SetStyle(TLXBevelStyle& field, TLXBevelStyle& other, TLXBevelStyle style)
{
    if (field == style)
        return;
    if (field == bvShadow)
        other = bvNone;
    field = style;
    if (style == bvShadow)
        other = bvShadow;
    Changed();
}

void TLXBevel::SetStandardStyle(TLXBorderStyle style)
{
    if (style == standardStyle_)
        return;
    standardStyle_ = style;
    if (mode_ == bmStandard)
        Changed();
}

bool TLXBevel::FrameChanged()
{
    const bool answer = frameChanged_ || (mode_ == bmWindows && systemFrame_);
    frameChanged_ = false;
    return answer;
}

void TLXBevel::ComputeExtents()
{
    const auto styleWidth = [](TLXBevelStyle style, int width) {
        if (style == bvNone)
            return 0;
        return width + (style == bvFrameLowered || style == bvFrameRaised ? 1 : 0);
    };
    switch (mode_) {
    case bmCustom:
        if (styleInner_ == bvShadow) {
            extent_ = widthInner_ + borderInnerWidth_;
        } else {
            extent_ = borderWidth_ + borderInnerWidth_;
            if (styleOuter_ != bvNone || styleInner_ != bvNone)
                extent_ += styleWidth(styleOuter_, widthOuter_) + styleWidth(styleInner_, widthInner_);
        }
        break;
    case bmStandard:
        extent_ = BorderStyleWidth(standardStyle_) + borderInnerWidth_;
        break;
    case bmEdge:
        extent_ = (borderSides_ != 0 ? 2 : 0) + borderInnerWidth_;
        break;
    case bmWindows:
        extent_ = systemFrame_ ? 0 : borderInnerWidth_ + 2;
        break;
    }
    farExtent_ = mode_ == bmCustom && styleOuter_ == bvShadow ? widthInner_ + widthOuter_ + borderInnerWidth_
                                                              : extent_;
}

TRect TLXBevel::InnerRect(const TRect& rect) const
{
    return TRect{rect.Left + extent_, rect.Top + extent_, rect.Right - farExtent_, rect.Bottom - farExtent_};
}

void TLXBevel::PaintFrames(TCanvas& canvas, TRect& rect, int count, TColor color, bool transparent)
{
    if (transparent) {
        platform::InflateRect(rect, -count, -count);
        return;
    }
    canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
    canvas.Brush.SetColor(color);
    for (int i = 0; i < count; ++i) {
        canvas.FrameRect(rect);
        platform::InflateRect(rect, -1, -1);
    }
}

void TLXBevel::PaintBevel(TCanvas& canvas, const TRect& rect, TRect& inner, bool transparent) const
{
    inner = rect;
    if (extent_ == 0)
        return;
    TRect r = rect;
    switch (mode_) {
    case bmCustom:
        if (styleOuter_ == bvShadow) {
            DrawShadowFrame(canvas, r, lightColor_, transparent, widthInner_, widthOuter_, borderColor_,
                            shadowColor_);
        } else {
            DrawBevel(canvas, r, styleOuter_, widthOuter_, shadowColor_, lightColor_);
            PaintFrames(canvas, r, borderWidth_, borderColor_, transparent);
            DrawBevel(canvas, r, styleInner_, widthInner_, shadowColor_, lightColor_);
        }
        break;
    case bmStandard:
        DrawBorder(canvas, r, standardStyle_, 0);
        break;
    case bmEdge:
        if (borderSides_ != 0) {
            static const unsigned edges[] = {0x4, 0x1, 0x8, 0x2, 0x9, 0x6, 0x5, 0xA};
            unsigned sides = 0;
            if (borderSides_ & fsLeft)
                sides |= platform::BF_LEFT;
            if (borderSides_ & fsTop)
                sides |= platform::BF_TOP;
            if (borderSides_ & fsRight)
                sides |= platform::BF_RIGHT;
            if (borderSides_ & fsBottom)
                sides |= platform::BF_BOTTOM;
            TRect edge = r;
            canvas.DrawEdge(edge, edges[edgeStyle_], sides);
            platform::InflateRect(r, -2, -2);
        }
        break;
    case bmWindows:
        DrawBorder(canvas, r, lsLoweredExt, 0);
        break;
    }
    PaintFrames(canvas, r, borderInnerWidth_, borderColor_, transparent);
    inner = r;
}
