#include "controls/LXDrawText.h"

#include "controls/LXBitmapDraw.h"
#include "controls/LXColorRamp.h"
#include "controls/LXDraw.h"
#include "controls/LXGeneral.h"

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {

const TLXFxCaption* AsFx(const TLX3DCaption* effects)
{
    return dynamic_cast<const TLXFxCaption*>(effects);
}

bool IsRotated(const TLX3DCaption* effects)
{
    const TLXFxCaption* fx = AsFx(effects);
    return fx && fx->Angle() != 0;
}

// The canvas's font, brush and character extra, put back when the routine ends.
class TextStateGuard {
public:
    explicit TextStateGuard(TCanvas& canvas)
        : canvas_(canvas), font_(canvas.Font), brushStyle_(canvas.Brush.Style()),
          extra_(canvas.CharacterExtra)
    {
    }
    ~TextStateGuard()
    {
        canvas_.Font = font_;
        canvas_.Brush.SetStyle(brushStyle_);
        canvas_.CharacterExtra = extra_;
    }

private:
    TCanvas& canvas_;
    TFont font_;
    TBrushStyle brushStyle_;
    int extra_;
};

// The rotated text's box and, stored in the caption, where the text starts inside it.
TRect MeasureRotated(TCanvas& canvas, const QString& text, TLXFxCaption& fx, const TRect& rect)
{
    const int margin = EffectMargin(fx);
    const TSize size = canvas.TextExtent(text);
    TRect box = Rect(0, 0, size.cx + margin, size.cy + margin);
    RotatedBounds(box, fx.Angle());
    const double a = fx.Angle() * M_PI / 180;
    const int w2 = size.cx / 2, h2 = size.cy / 2;
    const int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
    const int m = std::max(0, margin / 2 - 1);
    fx.SetPosX(RoundToInt(cx - std::cos(a) * w2 - std::sin(a) * h2) - m);
    fx.SetPosY(RoundToInt(cy + std::sin(a) * w2 - std::cos(a) * h2) - m);
    return Bounds(rect.Left, rect.Top, box.Width(), box.Height());
}

// DrawText's alignment flags of a block alignment.
unsigned AlignmentTextFlags(TLXAlignment alignment)
{
    const unsigned column = static_cast<unsigned>(alignment) % 3;
    const unsigned row = static_cast<unsigned>(alignment) / 3;
    return row * DT_VCENTER + column * DT_CENTER;
}

} // namespace

int EffectMargin(const TLX3DCaption& effects)
{
    switch (effects.Style()) {
    case tdNone:
        return 0;
    case tdSunken:
    case tdRaised:
        return effects.LightDepth();
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised:
        return effects.LightDepth() + effects.ShadowDepth();
    case tdShadow:
    case tdOutline:
    case tdExtrude:
    case tdExtrudeEnh:
        return effects.ShadowDepth();
    }
    return 0;
}

void MeasureFxText(TCanvas& canvas, const QString& text, TLX3DCaption* effects, TRect& rect,
                   unsigned textFormat, int extraMargin, bool prefix, bool wordBreak)
{
    TextStateGuard guard(canvas);
    // Painting spaces the characters by the tracing, so measuring does as well.
    if (effects)
        canvas.CharacterExtra = effects->Tracing();
    if (IsRotated(effects)) {
        rect = MeasureRotated(canvas, text, *dynamic_cast<TLXFxCaption*>(effects), rect);
    } else {
        if (auto* fx = dynamic_cast<TLXFxCaption*>(effects))
            fx->SetTextOrigin(0, 0);
        unsigned format = textFormat | DT_CALCRECT | DT_EXPANDTABS;
        if (wordBreak)
            format |= DT_WORDBREAK;
        if (!prefix)
            format |= DT_NOPREFIX;
        const bool blank = text.isEmpty() || (prefix && text == QLatin1String("&"));
        canvas.DrawText(blank ? QStringLiteral(" ") : text, rect, format);
        if (effects) {
            const int margin = EffectMargin(*effects);
            rect.Right += margin;
            rect.Bottom += margin;
        }
    }
    rect.Right += 2 * (extraMargin + 1);
    rect.Bottom += 2 * (extraMargin + 1);
}

void MeasureFxText(const QString& text, TLX3DCaption* effects, TRect& rect, unsigned textFormat,
                   int extraMargin, bool prefix, bool wordBreak, const TFont& font)
{
    TBitmap screen(1, 1);
    screen.Canvas().Font = font;
    MeasureFxText(screen.Canvas(), text, effects, rect, textFormat, extraMargin, prefix, wordBreak);
}

TRect AlignTextRect(TLXAlignment alignment, const QString& text, TLX3DCaption* effects, unsigned textFormat,
                    bool prefix, bool wordBreak, const TFont& font, const TRect& target)
{
    TRect block = Rect(target.Left, target.Top, target.Right - 1, target.Bottom);
    MeasureFxText(text, effects, block, textFormat, 0, prefix, wordBreak, font);
    return AlignRect(alignment, block, target);
}

namespace {

struct TextPasses {
    TCanvas& Canvas;
    const QString& Text;
    unsigned Format;
    bool Rotated;
    TRect Rect;

    // Moves the text by (dx, dy), then paints it in the colour.
    void Pass(int dx, int dy, TColor color)
    {
        OffsetRect(Rect, dx, dy);
        Canvas.Font.SetColor(color);
        if (Rotated) {
            Canvas.ExtTextOut(Rect.Left, Rect.Top, 0, nullptr, Text);
        } else {
            TRect r = Rect;
            Canvas.DrawText(Text, r, Format);
        }
    }
};

TColor BaseColor(TCanvas& canvas, const TLX3DCaption& effects, TLXThreeDStyle& style, unsigned flags)
{
    if ((flags & fxEnabled) || effects.DisabledStyle() == dsNone)
        return (style == tdPColorSunken || style == tdPColorRaised) ? canvas.Brush.Color()
                                                                    : canvas.Font.Color();
    if (effects.DisabledStyle() == ds3d || (effects.DisabledStyle() == dsAuto && (flags & fxAutoSunken)))
        style = tdSunken;
    return clGrayText;
}

void Extrude(TextPasses& passes, const TLX3DCaption& effects, TColor base, bool blend)
{
    const int sd = effects.ShadowDepth();
    TPoint start, step;
    switch (effects.Orientation()) {
    case toBottomLeft:
        start = {0, sd + 1}, step = {1, -1};
        break;
    case toBottomRight:
        start = {sd + 1, sd + 1}, step = {-1, -1};
        break;
    case toTopLeft:
        start = {0, 0}, step = {1, 1};
        break;
    case toTopRight:
        start = {sd + 1, 0}, step = {-1, 1};
        break;
    }
    OffsetRect(passes.Rect, start.X, start.Y);
    for (int i = 0; i < sd; ++i) {
        const TColor color = blend ? BlendColor(effects.ShadowColor(), effects.LightColor(), sd - i - 1, sd)
                                   : effects.ShadowColor();
        passes.Pass(0, 0, color);
        OffsetRect(passes.Rect, step.X, step.Y);
    }
    passes.Pass(0, 0, base);
}

} // namespace

void DrawFxText(TCanvas& canvas, const QString& text, const TLX3DCaption* effects, const TRect* clip,
                unsigned flags, unsigned textFormat, const TRect& rect)
{
    if (text.isEmpty() || rect.IsEmpty())
        return;
    if (!effects) {
        TRect r = rect;
        canvas.DrawText(text, r, textFormat);
        return;
    }
    TextStateGuard guard(canvas);
    if (flags & fxClip)
        canvas.SetClipRect(clip ? *clip : rect);
    TLXThreeDStyle style = effects->Style();
    const TColor base = BaseColor(canvas, *effects, style, flags);
    TextPasses passes{canvas, text, textFormat, IsRotated(effects), rect};
    if (const TLXFxCaption* fx = AsFx(effects)) {
        OffsetRect(passes.Rect, fx->PosX(), fx->PosY());
        if (passes.Rotated)
            canvas.Font.SetEscapement(fx->Angle() * 10);
    }
    if (effects->Tracing() != 0)
        canvas.CharacterExtra = effects->Tracing();
    canvas.Brush.SetStyle(TBrushStyle::bsClear);

    const int ld = effects->LightDepth(), sd = effects->ShadowDepth(), both = ld + sd;
    const TColor light = effects->LightColor(), shadow = effects->ShadowColor();
    switch (style) {
    case tdNone:
        passes.Pass(0, 0, base);
        break;
    case tdSunken:
        passes.Rect.Right -= ld;
        passes.Pass(ld, ld, light);
        passes.Pass(-ld, -ld, base);
        break;
    case tdRaised:
        passes.Rect.Right -= ld;
        passes.Pass(0, 0, light);
        passes.Pass(ld, ld, base);
        break;
    case tdSunkenShadow:
    case tdPColorSunken:
        passes.Rect.Right -= both;
        passes.Pass(0, 0, shadow);
        passes.Pass(both, both, light);
        passes.Pass(-ld, -ld, base);
        break;
    case tdRaisedShadow:
    case tdPColorRaised:
        passes.Rect.Right -= both;
        passes.Pass(both, both, shadow);
        passes.Pass(-both, -both, light);
        passes.Pass(ld, ld, base);
        break;
    case tdShadow:
        passes.Rect.Right -= sd;
        passes.Pass(sd, sd, shadow);
        passes.Pass(-sd, -sd, base);
        break;
    case tdOutline: {
        const TPen pen = canvas.Pen;
        canvas.Pen.SetStyle(TPenStyle::psSolid);
        canvas.Pen.SetWidth(sd);
        canvas.Pen.SetColor(base);
        canvas.StrokeTextOutline(passes.Rect.Left + sd / 2, passes.Rect.Top + sd / 2, text);
        canvas.Pen = pen;
        break;
    }
    case tdExtrude:
    case tdExtrudeEnh:
        Extrude(passes, *effects, base, style == tdExtrudeEnh);
        break;
    }
    if (flags & fxClip)
        canvas.RemoveClip();
}

TRect DrawGlyphAndText(TCanvas& canvas, const QString& text, TLX3DCaption* effects, TLXGlyphTextRects& rects,
                       unsigned textFormat, unsigned flags, bool transparent, bool prefix, bool wordBreak,
                       const TLXGlyphTextLayout& layout, TColor transparentColor, const TBitmap* mask,
                       const TRect& glyphSource, const TBitmap* glyph, const TRect& target)
{
    if (flags & gtNoText)
        flags |= gtFocusAll;
    const bool measureOnly = flags & gtMeasureOnly;

    // An empty caption takes no room, so a glyph alone sits where the alignment puts it.
    TRect textRect;
    if (!text.isEmpty()) {
        textRect = Rect(0, 0, target.Width(), 0);
        MeasureFxText(canvas, text, effects, textRect, textFormat, 0, prefix, wordBreak);
    }
    TRect glyphRect;
    if (glyph && !glyph->Empty() && !glyphSource.IsEmpty())
        glyphRect = Rect(0, 0, glyphSource.Width(), glyphSource.Height());
    const int s = (!textRect.IsEmpty() && !glyphRect.IsEmpty()) ? layout.Spacing() : 0;

    const auto* buttonLayout = dynamic_cast<const TLXButtonLayout*>(&layout);
    const bool arrow = buttonLayout && buttonLayout->Arrow();
    const TLXArrowPosition arrowPosition = arrow ? buttonLayout->ArrowPosition() : apRightText;
    const int arrowSize = arrow ? buttonLayout->ArrowSize() : 0;
    const int aw = arrow ? 2 * arrowSize - 1 : 0;
    const int indent = arrow ? buttonLayout->ArrowIndent() : 0;
    const bool arrowAtGlyph = arrowPosition == apRightGlyph || arrowPosition == apLeftGlyph;
    if (arrow)
        (arrowAtGlyph ? glyphRect : textRect).Right += aw + indent;

    const int tw = textRect.Width(), th = textRect.Height();
    const int gw = glyphRect.Width(), gh = glyphRect.Height();
    const TLXTextArrange arrange = layout.AlignText2Glyph();
    const bool sideBySide =
        arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
    const int bw = sideBySide ? tw + s + gw : std::max(tw, gw);
    const int bh = sideBySide ? std::max(th, gh) : th + s + gh;
    const int cxText = (bw - tw) / 2, cxGlyph = (bw - gw) / 2;
    const int cyText = (bh - th) / 2, cyGlyph = (bh - gh) / 2;
    TPoint textAt, glyphAt;
    switch (arrange) {
    case taLeft:
        textAt = {0, cyText}, glyphAt = {tw + s, cyGlyph};
        break;
    case taLeftTop:
        textAt = {0, cyText}, glyphAt = {tw + s, 0};
        break;
    case taRight:
        glyphAt = {0, cyGlyph}, textAt = {gw + s, cyText};
        break;
    case taRightTop:
        glyphAt = {0, 1}, textAt = {gw + s, cyText};
        break;
    case taTop:
        textAt = {cxText, 0}, glyphAt = {cxGlyph, th + s};
        break;
    case taTopLeft:
        textAt = {cxText, 0}, glyphAt = {0, th + s};
        break;
    case taBottom:
        glyphAt = {cxGlyph, 0}, textAt = {cxText, gh + s};
        break;
    case taBottomLeft:
        glyphAt = {0, 0}, textAt = {cxText, gh + s};
        break;
    }
    OffsetRect(textRect, textAt.X, textAt.Y);
    OffsetRect(glyphRect, glyphAt.X, glyphAt.Y);

    if (measureOnly) {
        OffsetRect(textRect, target.Left, target.Top);
        OffsetRect(glyphRect, target.Left, target.Top);
    } else {
        const TRect block = AlignRect(layout.Alignment(), Rect(0, 0, bw, bh), target);
        OffsetRect(textRect, block.Left + 1, block.Top + 1);
        OffsetRect(glyphRect, block.Left, block.Top);
        if (arrow && arrowPosition == apLeftText)
            textRect.Left += indent + aw;
        if (arrow && arrowPosition == apLeftGlyph)
            glyphRect.Left += indent + aw;
        OffsetRect(textRect, layout.OffsetX(), layout.OffsetY());
        OffsetRect(glyphRect, layout.OffsetX(), layout.OffsetY());
    }

    unsigned format = textFormat | DT_EXPANDTABS;
    if (wordBreak)
        format |= DT_WORDBREAK | AlignmentTextFlags(layout.Alignment());
    if (!prefix)
        format |= DT_NOPREFIX;
    if (flags & gtKeepInside) {
        textRect.Right = std::min(textRect.Right, target.Right);
        textRect.Bottom = std::min(textRect.Bottom, target.Bottom);
    }

    if (!measureOnly && !(flags & gtNoText)) {
        DrawFxText(canvas, text, effects, nullptr, flags, format, textRect);
        const bool enabled = flags & fxEnabled;
        const TColor arrowColor = arrow ? buttonLayout->ArrowColor() : clBlack;
        const int textArrowY = (textRect.Top + textRect.Bottom) / 2 - arrowSize / 2;
        const int glyphArrowY = (glyphRect.Top + glyphRect.Bottom) / 2 - arrowSize / 2;
        if (arrow && arrowPosition == apLeftText)
            DrawArrow(canvas, textRect.Left - indent - aw, textArrowY, enabled, true, arrowColor, arrowSize);
        if (arrow && arrowPosition == apRightText)
            DrawArrow(canvas, wordBreak ? textRect.Right - arrowSize - 1 : textRect.Right - aw - 1,
                      textArrowY, enabled, true, arrowColor, arrowSize);
        if (arrow && arrowPosition == apLeftGlyph)
            DrawArrow(canvas, glyphRect.Left - indent - aw, glyphArrowY, enabled, true, arrowColor,
                      arrowSize);
        if (glyph && !glyphSource.IsEmpty() && !glyphRect.IsEmpty()) {
            const unsigned placement = !transparent ? 0u : mask ? pbMasked : pbTransparent;
            TRect painted;
            PlaceBitmap(canvas, glyphRect, *glyph, painted, mask, transparentColor, placement, glyphSource);
        }
        if (arrow && arrowPosition == apRightGlyph)
            DrawArrow(canvas, glyphRect.Right - aw, glyphArrowY, enabled, true, arrowColor, arrowSize);
    }

    rects.Text = textRect;
    rects.Glyph = glyphRect;
    UnionRect(rects.Bounds, textRect, glyphRect);
    TRect focus = target;
    if (flags & gtFocusAll) {
        focus = rects.Bounds;
        InflateRect(focus, 1, 1);
    } else if (flags & gtFocusGlyph) {
        focus = glyphRect;
    } else if (flags & gtFocusText) {
        focus = textRect;
        InflateRect(focus, 1, 1);
    } else {
        InflateRect(focus, -1, -1);
    }
    if (flags & gtNoText)
        InflateRect(focus, 1, 1);
    return focus;
}

bool IsTrueTypeFont(const TFont& font)
{
    return IsScalableFont(font);
}

bool IsTrueTypeCanvas(TCanvas& canvas)
{
    return IsScalableFont(canvas.Font);
}
