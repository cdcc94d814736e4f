#include "platform_gui/Canvas.h"

#include "platform_gui/Bitmap.h"
#include "platform_gui/TextLayout.h"

namespace platform {

TCanvas::TCanvas()
{
    Brush.OnChange = [this] {
        const bool solid = Brush.Style() == TBrushStyle::bsSolid && Brush.Bitmap().isNull();
        BkColor = solid ? Brush.Color() : static_cast<TColor>(~ColorToRGB(Brush.Color()) & 0xFFFFFF);
        BkMode = solid ? TBkMode::bmOpaque : TBkMode::bmTransparent;
    };
}

namespace {

struct EdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

// The colours of one layer of an edge: outer (raised 1, sunken 2) or inner (raised 4, sunken 8).
EdgeColors LayerColors(bool outer, bool raised, unsigned flags)
{
    if ((flags & BF_MONO) != 0)
        return outer ? EdgeColors{clWindowFrame, clWindowFrame} : EdgeColors{clWindow, clWindow};
    if ((flags & BF_FLAT) != 0)
        return outer ? EdgeColors{clBtnShadow, clBtnShadow} : EdgeColors{clBtnFace, clBtnFace};
    EdgeColors colors;
    if (outer)
        colors = raised ? EdgeColors{cl3DLight, cl3DDkShadow} : EdgeColors{clBtnShadow, clBtnHighlight};
    else
        colors = raised ? EdgeColors{clBtnHighlight, clBtnShadow} : EdgeColors{cl3DDkShadow, cl3DLight};
    // Soft edges trade the top-left colours of the two layers.
    if ((flags & BF_SOFT) != 0) {
        if (outer)
            colors.TopLeft = raised ? clBtnHighlight : cl3DDkShadow;
        else
            colors.TopLeft = raised ? cl3DLight : clBtnShadow;
    }
    return colors;
}

} // namespace

bool TCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags)
{
    TRect r = rect;
    const unsigned layers[2] = {edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER),
                                edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)};
    for (int i = 0; i < 2; ++i) {
        if (layers[i] == 0)
            continue;
        const bool outer = i == 0;
        const bool raised = (layers[i] & (BDR_RAISEDOUTER | BDR_RAISEDINNER)) != 0;
        const EdgeColors colors = LayerColors(outer, raised, flags);
        // Top and left first, so the bottom-right colour owns the top-right and bottom-left corners.
        if ((flags & BF_LEFT) != 0)
            FillSolid({r.Left, r.Top, r.Left + 1, r.Bottom}, colors.TopLeft);
        if ((flags & BF_TOP) != 0)
            FillSolid({r.Left, r.Top, r.Right, r.Top + 1}, colors.TopLeft);
        if ((flags & BF_RIGHT) != 0)
            FillSolid({r.Right - 1, r.Top, r.Right, r.Bottom}, colors.BottomRight);
        if ((flags & BF_BOTTOM) != 0)
            FillSolid({r.Left, r.Bottom - 1, r.Right, r.Bottom}, colors.BottomRight);
        r.Left += (flags & BF_LEFT) != 0 ? 1 : 0;
        r.Top += (flags & BF_TOP) != 0 ? 1 : 0;
        r.Right -= (flags & BF_RIGHT) != 0 ? 1 : 0;
        r.Bottom -= (flags & BF_BOTTOM) != 0 ? 1 : 0;
    }
    if ((flags & BF_MIDDLE) != 0 && !r.IsEmpty())
        FillSolid(r, (flags & BF_MONO) != 0 ? clWindow : clBtnFace);
    if ((flags & BF_ADJUST) != 0)
        rect = r;
    return true;
}

int TCanvas::DrawText(const QString& text, TRect& rect, unsigned format)
{
    const TTextMetrics metrics = TextMetrics();
    const TTextMeasure measure{[this](const QString& run) { return TextExtent(run).cx; }, metrics.Height,
                               metrics.AveCharWidth};
    const TTextLayout layout = LayOutText(text, rect, format, measure);
    if ((format & DT_CALCRECT) != 0) {
        rect = layout.Bounds;
        return layout.Height;
    }
    const bool clip = (format & DT_NOCLIP) == 0;
    if (clip)
        PushClip(rect);
    for (const TTextLine& line : layout.Lines)
        for (const TTextRun& run : line.Runs)
            PaintTextRun(run.X, line.Y, run.Text, run.Underline);
    if (clip)
        PopClip();
    return layout.Height;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const TRect source{0, 0, bitmap.Width(), bitmap.Height()};
    if (bitmap.Transparent())
        CopyTransparent(dest, bitmap.Image(), source, bitmap.TransparentColor());
    else
        CopyRect(dest, bitmap.Image(), source);
}

} // namespace platform
