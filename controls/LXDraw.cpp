#include "controls/LXDraw.h"

#include "controls/LXApplication.h"
#include "controls/LXBitmapDraw.h"
#include "controls/LXThemes.h"
#include "platform/Numbers.h"

#include <QImage>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace platform;

namespace {

constexpr TColor clGrey = 0x808080;

bool IsPressedState(int drawState)
{
    return drawState == 3 || drawState == 4 || drawState == 6 || drawState == 7;
}

bool IsExplorerLook(TLXUserButtonStyle look)
{
    return look == ubsExplorer || look == ubsExplorerColored;
}

bool IsThemedLook(TLXUserButtonStyle look)
{
    return look == ubsWinXP || look == ubsWinXPCombo || look == ubsWinXPTool;
}

void Outline(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Pen.SetColor(color);
    canvas.Brush.SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(rect);
}

void Fill(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Brush.SetColor(color);
    canvas.FillRect(rect);
}

void SetCorners(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.SetPixel(rect.Left, rect.Top, color);
    canvas.SetPixel(rect.Right - 1, rect.Top, color);
    canvas.SetPixel(rect.Left, rect.Bottom - 1, color);
    canvas.SetPixel(rect.Right - 1, rect.Bottom - 1, color);
}

// A horizontal run of pixels from x1 to x2, both included.
void Row(TCanvas& canvas, int x1, int x2, int y)
{
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2 + 1, y);
}

void PaintArrow(TCanvas& canvas, int x, int y, bool down, TColor color, int size)
{
    canvas.Pen.SetColor(color);
    canvas.Pen.SetWidth(1);
    canvas.Pen.SetStyle(TPenStyle::psSolid);
    if (down) {
        for (int i = 0; i <= size - 2; ++i)
            Row(canvas, x + i, x + 2 * size - i - 2, y + i);
        canvas.SetPixel(x + size - 1, y + size - 1, color);
    } else {
        const int c = x + size / 2;
        for (int i = 0; i < size; ++i)
            Row(canvas, c - i, c + i, y + i);
    }
}

// The theme library's entries as this library calls them.
using OpenThemeDataEntry = void* (*)(QWidget* window, const char* classList);
using DrawThemeBackgroundEntry = int (*)(void* theme, TCanvas& canvas, int part, int state, const TRect& rect,
                                         const TRect* clip);
using CloseThemeDataEntry = int (*)(void* theme);

template <typename Entry> Entry ThemeEntry(const char* name)
{
    const TLXThemeLibrary& library = ThemeLibrary();
    for (int i = 0; i < TLXThemeLibrary::EntryCount; ++i)
        if (std::strcmp(TLXThemeLibrary::Names[i], name) == 0)
            return reinterpret_cast<Entry>(library.Entries[i]);
    return nullptr;
}

// The theme's picture of the part; the theme is closed however painting ends.
void PaintThemeBackground(QWidget* control, TCanvas& canvas, const TLXThemePart& part, const TRect& rect)
{
    const auto open = ThemeEntry<OpenThemeDataEntry>("OpenThemeData");
    const auto draw = ThemeEntry<DrawThemeBackgroundEntry>("DrawThemeBackground");
    const auto close = ThemeEntry<CloseThemeDataEntry>("CloseThemeData");
    if (!open || !draw || !close)
        return;
    void* theme = open(control, part.ClassName);
    if (!theme)
        return;
    const std::unique_ptr<void, CloseThemeDataEntry> closer(theme, close);
    draw(theme, canvas, part.Part, part.State, rect, nullptr);
}

} // namespace

TLXUserButtonStyle AdjustButtonLook(TLXUserButtonStyle look, bool themed)
{
    if (themed)
        return look == ubsAutoDetect ? ubsWinXP : look;
    switch (look) {
    case ubsWinXP:
        return ubsWin40;
    case ubsWinXPCombo:
        return ubsIntegrated;
    case ubsWinXPTool:
        return ubsExplorerColored;
    default:
        return look;
    }
}

TLXThemePart ThemedButtonPart(TLXUserButtonStyle look, unsigned faceFlags, int drawState, bool hot)
{
    TLXThemePart part;
    part.State = IsPressedState(drawState) ? 3 : hot ? 2 : 1;
    if (drawState == 1 || drawState == 7)
        part.State = 4;
    part.Part = 1;
    if (look == ubsWinXPCombo) {
        part.ClassName = "COMBOBOX";
    } else if (look == ubsWinXPTool) {
        part.ClassName = "TOOLBAR";
        if (faceFlags & ffToolPart)
            part.Part = (faceFlags & ffToolDropDown) ? 4 : 3;
    } else {
        part.ClassName = "BUTTON";
    }
    return part;
}

int ClassicFaceKind(TLXUserButtonStyle look, unsigned faceFlags)
{
    // The system always draws new-style controls here, so the automatic look is ubsWin40.
    switch (look) {
    case ubsWin31:
        return 1;
    case ubsAutoDetect:
    case ubsWin40:
        return (faceFlags & ffRaisedBorder) ? 2 : 3;
    case ubsIde:
        return 5;
    case ubsIntegrated:
        return 10;
    default:
        return 4;
    }
}

bool DrawButtonFace(QWidget* control, TCanvas& canvas, bool hot, TColor color, unsigned faceFlags,
                    int drawState, TLXUserButtonStyle look, TRect& rect)
{
    look = AdjustButtonLook(look, LXApplication().ThemesEnabled());
    if (!IsThemedLook(look)) {
        DrawClassicButtonFace(canvas, hot, rect, color, faceFlags, drawState, look);
        return true;
    }
    if (look == ubsWinXP)
        InflateRect(rect, 1, 1);
    PaintThemeBackground(control, canvas, ThemedButtonPart(look, faceFlags, drawState, hot), rect);
    InflateRect(rect, -3, -3);
    if (faceFlags & ffDefault) {
        canvas.Brush.SetStyle(TBrushStyle::bsSolid);
        canvas.DrawFocusRect(rect);
    }
    return true;
}

void DrawClassicButtonFace(TCanvas& canvas, bool hot, TRect& rect, TColor color, unsigned faceFlags,
                           int drawState, TLXUserButtonStyle look)
{
    if (look == ubsAutoDetect)
        look = ubsWin40;
    const int kind = ClassicFaceKind(look, faceFlags);
    const bool pressed = IsPressedState(drawState);

    if (!IsExplorerLook(look)) {
        if (drawState == 3 && !(kind == 4 && hot)) {
            canvas.Brush.SetBitmap(LXApplication().PatternBitmap(color).Image());
            canvas.FillRect(rect);
            canvas.Brush.SetBitmap(QImage());
        } else {
            Fill(canvas, rect, color);
        }
    }

    if (!pressed && (faceFlags & (ffDefault | ffFocused))) {
        canvas.DrawEdge(rect, BDR_SUNKENOUTER,
                        BF_LEFT | BF_TOP | BF_SOFT | ((faceFlags & ffFillMiddle) ? BF_MIDDLE : 0));
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
        if (look == ubsWin31 && (faceFlags & ffButton)) {
            SetCorners(canvas, rect, clBtnFace);
            faceFlags &= ~ffButton;
        }
        InflateRect(rect, -1, -1);
    }
    TRect content = rect;

    switch (kind) {
    case 1:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, 0x1003);
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, 0x0C);
        if (faceFlags & ffButton)
            SetCorners(canvas, rect, clBtnFace);
        InflateRect(rect, -1, -1);
        if (pressed) {
            canvas.DrawEdge(rect, BDR_SUNKENINNER, 3);
        } else {
            canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200F);
            canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200F);
        }
        InflateRect(content, -1, -1);
        break;
    case 2:
        if (!pressed)
            DrawBorder(canvas, rect, lsRaisedspb, BF_RECT);
        else if (faceFlags & ffSunkenEdge)
            canvas.DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
        else
            DrawBorder(canvas, rect, lsLowered, BF_RECT);
        break;
    case 3:
        if (pressed) {
            Outline(canvas, rect, clBlack);
            TRect inner = rect;
            InflateRect(inner, -1, -1);
            Outline(canvas, inner, clGrey);
        } else if (faceFlags & ffDefault) {
            canvas.DrawEdge(rect, BDR_RAISEDOUTER, 0x300F);
            canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200C);
        } else {
            DrawBorder(canvas, rect, lsRaisedspb, BF_RECT);
        }
        break;
    case 4:
        if ((look == ubsNavigator || look == ubsIdeFlat) && (pressed || hot)) {
            canvas.Brush.SetStyle(TBrushStyle::bsClear);
            canvas.Rectangle(rect);
            InflateRect(rect, -1, -1);
        }
        if (pressed)
            canvas.DrawEdge(rect, BDR_SUNKENOUTER, 0x200F);
        else if (!hot) {
            if (!IsExplorerLook(look))
                Fill(canvas, rect, color);
        } else
            canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200F);
        break;
    case 5:
        Outline(canvas, rect, clBlack);
        if (pressed) {
            canvas.Pen.SetColor(clGrey);
            canvas.MoveTo(rect.Left + 1, rect.Bottom - 1);
            canvas.LineTo(rect.Left + 1, rect.Top + 1);
            canvas.LineTo(rect.Right - 1, rect.Top + 1);
        } else {
            TRect inner = rect;
            InflateRect(inner, -1, -1);
            canvas.DrawEdge(inner, BDR_RAISEDINNER, 0x200F);
        }
        break;
    case 10:
        if (pressed) {
            Outline(canvas, rect, clGrey);
        } else {
            Outline(canvas, rect, clBlack);
            canvas.Pen.SetColor(clBtnFace);
            canvas.MoveTo(rect.Right - 2, rect.Top);
            canvas.LineTo(rect.Left, rect.Top);
            canvas.LineTo(rect.Left, rect.Bottom - 1);
            TRect inner = rect;
            InflateRect(inner, -1, -1);
            Outline(canvas, inner, clWhite);
            canvas.Pen.SetColor(clGrey);
            canvas.MoveTo(rect.Right - 2, rect.Top + 1);
            canvas.LineTo(rect.Right - 2, rect.Bottom - 2);
            canvas.LineTo(rect.Left, rect.Bottom - 2);
        }
        break;
    }

    if (faceFlags & ffDefault) {
        TRect focus = rect;
        const int inset = pressed ? 4 : 3;
        InflateRect(focus, -inset, -inset);
        canvas.Brush.SetStyle(TBrushStyle::bsSolid);
        canvas.Brush.SetColor(clBlack);
        canvas.Pen.SetColor(clGrey);
        canvas.DrawFocusRect(focus);
    }
    InflateRect(content, -3, -3);
    if (pressed)
        OffsetRect(content, 1, 1);
    rect = content;
}

bool DrawBevel(TCanvas& canvas, TRect& rect, TLXBevelStyle style, int width, TColor shadow, TColor light)
{
    if (style == bvNone || style == bvShadow || width <= 0)
        return false;
    if (style == bvLowered || style == bvFrameLowered)
        std::swap(shadow, light);
    if (style == bvNormal)
        shadow = light = clBlack;

    if (style == bvFrameRaised || style == bvFrameLowered) {
        canvas.Brush.SetStyle(TBrushStyle::bsSolid);
        for (int i = 0; i < width; ++i) {
            canvas.Brush.SetColor(shadow);
            canvas.FrameRect(Rect(rect.Left + i + 1, rect.Top + i + 1, rect.Right, rect.Bottom));
            canvas.Brush.SetColor(light);
            canvas.FrameRect(Rect(rect.Left, rect.Top, rect.Right - i - 1, rect.Bottom - i - 1));
        }
        rect = Rect(rect.Left + width + 1, rect.Top + width + 1, rect.Right - width - 1,
                    rect.Bottom - width - 1);
        return true;
    }

    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    if (width == 1) {
        canvas.Pen.SetWidth(1);
        canvas.Pen.SetStyle(TPenStyle::psSolid);
        canvas.Pen.SetColor(light);
        canvas.MoveTo(l, b - 1);
        canvas.LineTo(l, t);
        canvas.LineTo(r - 1, t);
        canvas.Pen.SetColor(shadow);
        canvas.LineTo(r - 1, b - 1);
        canvas.LineTo(l, b - 1);
    } else {
        canvas.Pen.SetStyle(TPenStyle::psClear);
        canvas.Brush.SetStyle(TBrushStyle::bsSolid);
        const int w = width;
        canvas.Brush.SetColor(shadow);
        canvas.Polygon({{r, t}, {r, b}, {l, b}, {l + w, b - w}, {r - w, b - w}, {r - w, t + w}});
        canvas.Brush.SetColor(light);
        canvas.Polygon({{l, b}, {l, t}, {r, t}, {r - w, t + w}, {l + w, t + w}, {l + w, b - w}});
        canvas.Pen.SetStyle(TPenStyle::psSolid);
    }
    InflateRect(rect, -width, -width);
    return true;
}

void DrawShadowFrame(TCanvas& canvas, TRect& rect, TColor frame, bool noCorners, int frameCount, int depth,
                     TColor corner, TColor shadow)
{
    const int d = depth;
    Fill(canvas, Rect(rect.Right - d, rect.Top + d, rect.Right, rect.Bottom), shadow);
    Fill(canvas, Rect(rect.Left + d, rect.Bottom - d, rect.Right, rect.Bottom), shadow);
    if (!noCorners) {
        Fill(canvas, Rect(rect.Right - d, rect.Top, rect.Right, rect.Top + d), corner);
        Fill(canvas, Rect(rect.Left, rect.Bottom - d, rect.Left + d, rect.Bottom), corner);
    }
    rect = Rect(rect.Left, rect.Top, rect.Right - d, rect.Bottom - d);
    canvas.Brush.SetColor(frame);
    for (int i = 0; i < frameCount; ++i) {
        canvas.FrameRect(rect);
        InflateRect(rect, -1, -1);
    }
}

int BorderStyleWidth(TLXBorderStyle style)
{
    switch (style) {
    case lsNone:
        return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered:
        return 1;
    default:
        return 2;
    }
}

bool DrawBorder(TCanvas& canvas, TRect& rect, TLXBorderStyle style, unsigned extraFlags)
{
    const unsigned e = extraFlags;
    switch (style) {
    case lsNone:
        break;
    case lsSingle:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x3003);
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, 0x0C);
        break;
    case lsLowered:
        canvas.DrawEdge(rect, EDGE_SUNKEN, e | 0x300F);
        break;
    case lsRaised:
        canvas.DrawEdge(rect, EDGE_RAISED, e | 0x300F);
        break;
    case lsRaisedspb:
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, e | 0x300F);
        canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200C);
        break;
    case lsLoweredspb:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        canvas.DrawEdge(rect, BDR_SUNKENINNER, e | 0x2003);
        break;
    case lsRaisedExt:
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, e | 0x300F);
        canvas.DrawEdge(rect, BDR_RAISEDINNER, 0x200C);
        ++rect.Top;
        ++rect.Left;
        break;
    case lsLoweredExt:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        canvas.DrawEdge(rect, BDR_SUNKENINNER, 0x2003);
        --rect.Right;
        --rect.Bottom;
        break;
    case lsFrameInset:
        canvas.DrawEdge(rect, EDGE_ETCHED, e | 0x200F);
        break;
    case lsFrameOffset:
        canvas.DrawEdge(rect, BDR_RAISEDINNER, e | 0x200F);
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        break;
    case lsWindowBorder:
        canvas.DrawEdge(rect, BDR_RAISEDOUTER, e | 0x200C);
        ++rect.Top;
        ++rect.Left;
        canvas.DrawEdge(rect, BDR_RAISEDINNER, e | 0x200F);
        break;
    case lsSingleRaised:
        canvas.DrawEdge(rect, BDR_RAISEDINNER, e | 0x200F);
        break;
    case lsSingleLowered:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        break;
    case lsDoubleRaised:
        canvas.DrawEdge(rect, BDR_RAISEDINNER, e | 0x200F);
        canvas.DrawEdge(rect, BDR_RAISEDINNER, e | 0x200F);
        break;
    case lsDoubleLowered:
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        canvas.DrawEdge(rect, BDR_SUNKENOUTER, e | 0x200F);
        break;
    }
    return true;
}

void DrawArrow(TCanvas& canvas, int x, int y, bool enabled, bool down, TColor color, int size)
{
    if (size < 2 || size > 15)
        return;
    if (!enabled) {
        PaintArrow(canvas, x + 1, y + 1, down, clHighlightText, size);
        color = clGrayText;
    }
    PaintArrow(canvas, x, y, down, color, size);
}

namespace {

void PaintGradient(TCanvas& canvas, int ox, int oy, int w, int h, TLXGradientStyle style,
                   const QList<TColor>& steps)
{
    const int n = static_cast<int>(steps.size());
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Pen.SetStyle(TPenStyle::psClear);
    if (style == gstHorizontal) {
        for (int i = 0; i < n; ++i) {
            canvas.Brush.SetColor(steps[i]);
            canvas.FillRect(Rect(ox + MulDiv(i, w, n), oy, ox + MulDiv(i + 1, w, n), oy + h));
        }
        canvas.Pen.SetStyle(TPenStyle::psSolid);
        return;
    }
    const int cx = ox + w / 2, cy = oy + h / 2;
    for (int i = n - 1; i >= 0; --i) {
        const int k = i + 1;
        const int kw = MulDiv(k, w, n), kh = MulDiv(k, h, n);
        canvas.Brush.SetColor(steps[i]);
        switch (style) {
        case gstHorizontal:
            break;
        case gstVertical:
            canvas.FillRect(Rect(ox, oy + MulDiv(i, h, n), ox + w, oy + kh));
            break;
        case gstSquare:
            canvas.Rectangle(Rect(cx - kw / 2, cy - kh / 2, cx + kw / 2 + 2, cy + kh / 2 + 2));
            break;
        case gstElliptic: {
            const int rx = static_cast<int>(RoundHalfEven(kw / 1.4));
            const int ry = static_cast<int>(RoundHalfEven(kh / 1.4));
            canvas.Ellipse(Rect(cx - rx, cy - ry, cx + rx, cy + ry));
            break;
        }
        // The corner rectangles are filled to their exact reach, so one step covers the whole area.
        case gstTopLeft:
            canvas.FillRect(Rect(ox, oy, ox + kw, oy + kh));
            break;
        case gstTopRight:
            canvas.FillRect(Rect(ox + w - kw, oy, ox + w, oy + kh));
            break;
        case gstBottomLeft:
            canvas.FillRect(Rect(ox, oy + h - kh, ox + kw, oy + h));
            break;
        case gstBottomRight:
            canvas.FillRect(Rect(ox + w - kw, oy + h - kh, ox + w, oy + h));
            break;
        case gstTopLeftDiagonal:
            canvas.Polygon({{ox, oy}, {ox + 2 * kw, oy}, {ox, oy + 2 * kh}, {ox - 2 * kw, oy + 2 * kh}});
            break;
        case gstTopRightDiagonal:
            canvas.Polygon(
                {{ox + w, oy}, {ox + w - 2 * kw, oy}, {ox + w, oy + 2 * kh}, {ox + w + 2 * kw, oy + 2 * kh}});
            break;
        }
    }
    canvas.Pen.SetStyle(TPenStyle::psSolid);
}

} // namespace

void FillGradient(TCanvas& canvas, const TRect& rect, TLXGradientStyle style, int clipOffset, unsigned flags,
                  const QList<TColor>& steps)
{
    if (steps.isEmpty() || rect.IsEmpty())
        return;
    if (flags & gfOffscreen) {
        TBitmap bitmap(rect.Width(), rect.Height());
        PaintGradient(bitmap.Canvas(), 0, 0, rect.Width(), rect.Height(), style, steps);
        canvas.Draw(rect.Left, rect.Top, bitmap);
        return;
    }
    if (flags & gfClip) {
        TRect clip = rect;
        const TPoint offset = ClipOffsetPoint(clipOffset);
        OffsetRect(clip, offset.X, offset.Y);
        canvas.SetClipRect(clip);
    }
    PaintGradient(canvas, rect.Left, rect.Top, rect.Width(), rect.Height(), style, steps);
    if (flags & gfClip)
        canvas.RemoveClip();
}

TRect AlignRect(TLXAlignment alignment, const TRect& block, const TRect& target)
{
    const int dw = target.Width() - block.Width();
    const int dh = target.Height() - block.Height();
    const int column = static_cast<int>(alignment) % 3;
    const int row = static_cast<int>(alignment) / 3;
    const int dx = column == 0 ? 0 : column == 1 ? dw / 2 : dw;
    const int dy = row == 0 ? 0 : row == 1 ? dh / 2 : dh;
    return Bounds(target.Left + dx, target.Top + dy, block.Width(), block.Height());
}

void FillBitmap(TBitmap& bitmap, const TRect& rect, TColor color)
{
    bitmap.SetSize(rect.Width(), rect.Height());
    if (!bitmap.Empty())
        Fill(bitmap.Canvas(), Rect(0, 0, bitmap.Width(), bitmap.Height()), color);
}

void MakeGreyGlyph(TBitmap& target, const TBitmap& source)
{
    target = source;
    if (source.Empty())
        return;
    QImage image = source.Image().convertToFormat(QImage::Format_RGB32);
    const QRgb background = image.pixel(0, 0);
    const auto brightness = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); };
    int64_t sum = 0;
    int64_t count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                sum += brightness(image.pixel(x, y));
                ++count;
            }
    // Nothing but background: nothing to grey (the average would divide by zero).
    if (count == 0)
        return;
    const int64_t b = RoundHalfEven(static_cast<double>(sum) / static_cast<double>(count) - 200.0);
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == background)
                continue;
            const int v = brightness(p);
            image.setPixel(x, y,
                           v > b + 550   ? qRgb(255, 255, 255)
                           : v > b + 250 ? highlight
                           : v > b + 50  ? shadow
                                         : qRgb(0, 0, 0));
        }
    target.SetImage(image);
    target.SetPixelFormat(source.PixelFormat());
}

void MakeDisabledGlyph(TBitmap& target, const TBitmap& source, int x, int y)
{
    if (source.Empty())
        return;
    if (target.Empty())
        target.SetSize(source.Width(), source.Height());
    const QImage image = source.Image().convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(source.TransparentColor()).rgb() | 0xFF000000u;
    const QRgb white = qRgb(255, 255, 255);
    // Black where the source has a set pixel: the mask of the brush blits.
    QImage mono(image.size(), QImage::Format_RGB32);
    for (int py = 0; py < image.height(); ++py) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(py));
        auto* out = reinterpret_cast<QRgb*>(mono.scanLine(py));
        for (int px = 0; px < image.width(); ++px) {
            const QRgb p = in[px] | 0xFF000000u;
            out[px] = (p == key || p == white) ? white : qRgb(0, 0, 0);
        }
    }
    TCanvas& canvas = target.Canvas();
    Fill(canvas, Rect(0, 0, target.Width(), target.Height()), source.TransparentColor());
    const TRect whole = Rect(0, 0, image.width(), image.height());
    const auto brushBlit = [&](int bx, int by, TColor color) {
        QImage solid(image.size(), QImage::Format_RGB32);
        solid.fill(ToQColor(color));
        canvas.CopyMasked(Bounds(bx, by, image.width(), image.height()), solid, whole, mono);
    };
    brushBlit(x + 1, y + 1, clBtnHighlight);
    brushBlit(x, y, clBtnShadow);
}

void SplitDelimited(const QString& text, QChar delimiter, QStringList& list)
{
    list.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == delimiter) {
            list << text.mid(start, i - start);
            start = i + 1;
        }
    if (start < text.size())
        list << text.mid(start);
}
