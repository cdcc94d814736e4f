#include "controls/LbFace.h"
#include "controls/LbStockGlyphs.h"

using namespace platform;

namespace {

constexpr TColor Magenta = 0xFF00FF;
constexpr TColor DisabledText = 0x808080;
constexpr int GradientBands = 32;

void Fill(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Brush.SetColor(color);
    canvas.FillRect(rect);
}

void Outline(TCanvas& canvas, TColor color)
{
    canvas.Pen.SetWidth(1);
    canvas.Pen.SetStyle(TPenStyle::psSolid);
    canvas.Pen.SetColor(color);
    canvas.Brush.SetStyle(TBrushStyle::bsClear);
}

void Line(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points)
{
    canvas.Pen.SetWidth(1);
    canvas.Pen.SetStyle(TPenStyle::psSolid);
    canvas.Pen.SetColor(color);
    auto point = points.begin();
    canvas.MoveTo(point->X, point->Y);
    for (++point; point != points.end(); ++point)
        canvas.LineTo(point->X, point->Y);
}

// Top to bottom in equal bands whose colour steps from the first colour to the second.
void VerticalGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to)
{
    const QColor a = ToQColor(from);
    const QColor b = ToQColor(to);
    const auto step = [](int x, int y, int band) { return x + (y - x) * band / (GradientBands - 1); };
    for (int band = 0; band < GradientBands; ++band) {
        const int top = rect.Top + rect.Height() * band / GradientBands;
        const int bottom = rect.Top + rect.Height() * (band + 1) / GradientBands;
        if (bottom <= top)
            continue;
        const QColor color(step(a.red(), b.red(), band), step(a.green(), b.green(), band),
                           step(a.blue(), b.blue(), band));
        Fill(canvas, Rect(rect.Left, top, rect.Right, bottom), FromQColor(color));
    }
}

void PaintFill(TCanvas& canvas, const TLbFace& f, TColor face, int s)
{
    const int w = f.Width;
    const int h = f.Height;
    switch (f.Style) {
    case bsShape:
        Fill(canvas, Rect(0, 0, w, h), Magenta);
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        Fill(canvas, Rect(0, 0, w, h), face);
        break;
    case bsModern:
        VerticalGradient(canvas, Rect(2, 2, w - 2, h / 4 + s), f.LightColor, face);
        VerticalGradient(canvas, Rect(2, h / 4 + s, w - 2, h - 1), face, f.LightColor);
        break;
    default:
        break;
    }
}

void PaintFrame(TCanvas& canvas, const TLbFace& f, TColor face, bool pressed)
{
    const int w = f.Width;
    const int h = f.Height;
    const bool framed = f.Enabled ? (!f.Flat || f.HotInput || pressed) : !f.Flat;
    switch (f.Style) {
    case bsNormal:
    case bsEncarta:
        if (!framed)
            break;
        Line(canvas, pressed ? f.ShadowColor : f.LightColor, {{0, h - 1}, {0, 0}, {w - 1, 0}});
        Line(canvas, pressed ? f.LightColor : f.ShadowColor, {{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
        break;
    case bsOld:
        if (!framed)
            break;
        if (pressed)
            Line(canvas, f.ShadowColor, {{1, h - 3}, {1, 1}, {w - 2, 1}});
        else
            Line(canvas, f.ShadowColor, {{1, h - 2}, {w - 2, h - 2}, {w - 2, 0}});
        Line(canvas, pressed ? cl3DDkShadow : f.LightColor, {{0, h - 1}, {0, 0}, {w - 1, 0}});
        Line(canvas, pressed ? f.LightColor : cl3DDkShadow, {{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
        break;
    case bsModern:
        Outline(canvas, pressed ? f.ShadowColor : face);
        canvas.Rectangle(1, 1, w - 1, h - 1);
        Outline(canvas, f.ShadowColor);
        canvas.RoundRect(Rect(0, 0, w, h), 6, 6);
        break;
    case bsKDE:
        Outline(canvas, face);
        canvas.Rectangle(1, 1, w - 1, h - 1);
        Outline(canvas, clBlack);
        canvas.RoundRect(Rect(0, 0, w, h), 4, 4);
        if (pressed) {
            Fill(canvas, Rect(2, 2, w - 2, h - 2), face);
        } else {
            Fill(canvas, Rect(2, 2, w - 2, h - 2), clWhite);
            if (f.HotInput && f.HotTrackColor != clNone)
                Fill(canvas, Rect(4, 4, w - 2, h - 2), f.HotTrackColor);
            else
                VerticalGradient(canvas, Rect(4, 4, w - 2, h - 2), f.LightColor, f.ShadowColor);
        }
        break;
    case bsQuicken:
        canvas.Pen.SetStyle(TPenStyle::psClear);
        canvas.Brush.SetStyle(TBrushStyle::bsSolid);
        canvas.Brush.SetColor(face);
        canvas.RoundRect(Rect(0, 1, w, h), 4, 4);
        Line(canvas, f.ShadowColor, {{4, 0}, {w - 5, 0}});
        Line(canvas, f.ShadowColor, {{4, h - 1}, {w - 5, h - 1}});
        break;
    case bsShape:
        break;
    }
}

// Where the glyph cell and the caption's box go.
struct Placement {
    TPoint Glyph;
    TRect Text;
};

Placement Place(const TLbFace& f, int s, int gw, int gh, int boxWidth, int th, int tw, bool hasGlyph)
{
    const int w = f.Width;
    const int h = f.Height;
    const int captionRoom = tw > 0 ? tw + 4 : 0;
    Placement p;
    if (f.Style == bsShape) {
        p.Glyph = {(w - gw) / 2, (h - gh) / 2};
        p.Text = Rect(s, (h - th) / 2 + s, w, h);
        return p;
    }
    const auto byAlignment = [&](int left, int right, int centre) {
        return f.Alignment == taLeftJustify ? left : f.Alignment == taRightJustify ? right : centre;
    };
    if (f.Layout == blGlyphLeft || f.Layout == blGlyphRight) {
        const int top = (h - th) / 2 + s;
        int left = s + 4;
        if (f.Layout == blGlyphLeft && hasGlyph)
            left += gw + 4;
        p.Text = Bounds(left, top, boxWidth, th);
        p.Glyph.Y = (h - gh) / 2 + s;
        if (f.Layout == blGlyphLeft)
            p.Glyph.X = f.WordWrap ? s + 4
                                   : byAlignment(s + 4, w + s - gw - captionRoom - 4,
                                                 (w - gw) / 2 + s - captionRoom / 2);
        else
            p.Glyph.X = f.WordWrap ? s + 4 + captionRoom
                                   : byAlignment(s + 4 + captionRoom, w + s - gw - 4,
                                                 (w - gw) / 2 + s + captionRoom / 2);
        return p;
    }
    const int block = hasGlyph ? gh + th + 4 : th;
    const int top = (h - block) / 2;
    p.Glyph.X = byAlignment(s + 4, w + s - gw - 4, (w - gw) / 2 + s);
    if (f.Layout == blGlyphTop) {
        p.Glyph.Y = top + s;
        p.Text = Bounds(s + 4, top + gh + s, boxWidth, th);
    } else {
        p.Text = Bounds(s + 4, top + s, boxWidth, th);
        p.Glyph.Y = top + th + s;
    }
    return p;
}

unsigned AlignmentFlag(TLbAlignment alignment)
{
    return alignment == taLeftJustify ? DT_LEFT : alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
}

} // namespace

QString LbCutCaption(TCanvas& canvas, const QString& caption, int maxWidth)
{
    QString text = caption;
    while (!text.isEmpty()) {
        TRect measured = Rect(0, 0, maxWidth, 0);
        canvas.DrawText(text, measured, DT_CALCRECT | DT_SINGLELINE);
        if (measured.Width() <= maxWidth)
            break;
        text.chop(1);
    }
    return text;
}

void PaintLbFace(TCanvas& canvas, const TLbFace& f)
{
    const bool pressed = f.Pressed && f.Enabled;
    const int s = pressed && f.Style != bsEncarta ? 1 : 0;
    const TColor face =
        LbFaceColor(f.Color, f.HotTrackColor, f.FadeLevel, f.Enabled, pressed, f.ColorWhenDown);

    if (!f.Transparent)
        PaintFill(canvas, f, face, s);
    PaintFrame(canvas, f, face, pressed);

    canvas.Font = f.Font;
    if (pressed && f.Style == bsEncarta)
        canvas.Font.SetStyle(canvas.Font.Style() | fsBold);
    if (!f.Enabled)
        canvas.Font.SetColor(DisabledText);

    const bool hasGlyph = f.Glyph != nullptr && !f.Glyph->Empty() && f.NumGlyphs > 0;
    const int gw = hasGlyph ? f.Glyph->Width() / f.NumGlyphs : 0;
    const int gh = hasGlyph ? f.Glyph->Height() : 0;
    const bool sideGlyph = hasGlyph && (f.Layout == blGlyphLeft || f.Layout == blGlyphRight);
    const int boxWidth = std::max(0, sideGlyph ? f.Width - gw - 12 : f.Width - 8);

    const QString caption = f.WordWrap ? f.Caption : LbCutCaption(canvas, f.Caption, boxWidth);
    TRect measured = Rect(0, 0, boxWidth, 0);
    canvas.DrawText(caption, measured, DT_CALCRECT | DT_WORDBREAK);
    const int th = caption.isEmpty() ? 0 : measured.Height();
    const int tw = caption.isEmpty() ? 0 : measured.Width();

    const Placement place =
        Place(f, s, gw, gh, f.Style == bsShape ? f.Width - s : boxWidth, th, tw, hasGlyph);
    if (hasGlyph) {
        const int cell = LbGlyphCell(f.NumGlyphs, f.HotInput, pressed, f.Enabled);
        canvas.CopyTransparent(Bounds(place.Glyph.X, place.Glyph.Y, gw, gh), f.Glyph->Image(),
                               Bounds(cell * gw, 0, gw, gh), f.Glyph->TransparentColor());
    }
    if (!caption.isEmpty()) {
        canvas.BkMode = TBkMode::bmTransparent;
        TRect box = place.Text;
        canvas.DrawText(caption, box,
                        DT_WORDBREAK | (f.Style == bsShape ? DT_CENTER : AlignmentFlag(f.Alignment)));
    }
    if (f.PopupAttached) {
        const TBitmap& arrow = LbStockGlyph(LbArrowGlyph);
        canvas.CopyTransparent(Bounds(f.Width - 11, f.Height / 2 - 1, arrow.Width(), arrow.Height()),
                               arrow.Image(), Bounds(0, 0, arrow.Width(), arrow.Height()),
                               arrow.TransparentColor());
    }
}

QImage LbKeyOutMagenta(const QImage& image)
{
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(0xFF, 0x00, 0xFF);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return keyed;
}
