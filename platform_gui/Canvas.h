#pragma once
// The drawing surface of every control the program paints itself. It follows the original
// platform's rules, not QPainter's: rectangles exclude their right and bottom edges, a line leaves
// out its end pixel, text is placed by the top-left of its cell, and the DrawText and DrawEdge flag
// values are the original's. Where a routine gives coordinates in those terms, paint through here.
#include "platform_gui/Font.h"
#include "platform_gui/Geometry.h"
#include "platform_gui/PenBrush.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <vector>

namespace platform {

class TBitmap;

// DrawText format flags.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4; // only with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x8;  // only with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40; // tab stops every 8 average character widths
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;     // measures only: the rectangle's right and bottom are set
inline constexpr unsigned DT_NOPREFIX = 0x800;     // without it "&x" underlines x and "&&" is "&"
inline constexpr unsigned DT_EDITCONTROL = 0x2000; // no partly visible last line
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_HIDEPREFIX = 0x100000; // prefixes removed but not underlined

// DrawEdge edges (outer layer 1 and 2, inner layer 4 and 8) and flags.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = 0x5;
inline constexpr unsigned EDGE_SUNKEN = 0xA;
inline constexpr unsigned EDGE_ETCHED = 0x6;
inline constexpr unsigned EDGE_BUMP = 0x9;
inline constexpr unsigned BF_LEFT = 0x1;
inline constexpr unsigned BF_TOP = 0x2;
inline constexpr unsigned BF_RIGHT = 0x4;
inline constexpr unsigned BF_BOTTOM = 0x8;
inline constexpr unsigned BF_RECT = 0xF;
inline constexpr unsigned BF_MIDDLE = 0x800;
inline constexpr unsigned BF_SOFT = 0x1000;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

// ExtTextOut options.
inline constexpr unsigned ETO_OPAQUE = 0x2;
inline constexpr unsigned ETO_CLIPPED = 0x4;

enum class TBkMode { bmTransparent = 1, bmOpaque = 2 };
enum class TFillMode { fmAlternate = 1, fmWinding = 2 };

struct TTextMetrics {
    int Height = 0; // Ascent + Descent: the line height of DrawText
    int Ascent = 0;
    int Descent = 0;
    int AveCharWidth = 0;
    int ExternalLeading = 0; // space the font wants between lines, never negative
};

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Changing the brush sets the text background as the original toolkit did: a solid brush's
    // colour, opaque; any other brush transparent. Both can be set afterwards on their own.
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TPoint PenPos;
    TPoint BrushOrigin; // where pattern and hatch cells start
    TColor BkColor = clWhite;
    TBkMode BkMode = TBkMode::bmOpaque;
    int CharacterExtra = 0; // pixels added after each character
    TFillMode PolyFillMode = TFillMode::fmAlternate;

    void MoveTo(int x, int y) { PenPos = {x, y}; }
    // From the pen position to (x, y), the end pixel left out; the pen position moves there.
    virtual void LineTo(int x, int y) = 0;
    // Outline in the pen, inside filled with the brush; with a clear pen the fill ends one pixel
    // before Right and Bottom.
    virtual void Rectangle(const TRect& rect) = 0;
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(Rect(left, top, right, bottom)); }
    // The brush over the rectangle, no outline.
    virtual void FillRect(const TRect& rect) = 0;
    // A one-pixel frame in the brush.
    virtual void FrameRect(const TRect& rect) = 0;
    // In the bounding rectangle, pen outline and brush inside.
    virtual void Ellipse(const TRect& rect) = 0;
    // Corners are quarter ellipses of the given width and height (diameters, not radii).
    virtual void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) = 0;
    // Counter-clockwise along the ellipse in rect, from where the line from its centre to start
    // meets it to where the line to end does.
    virtual void Arc(const TRect& rect, TPoint start, TPoint end) = 0;
    // Closed and filled by PolyFillMode.
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    // Open; the last point's pixel left out; the pen position is not used or moved.
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    // clNone where the surface cannot be read or the point lies outside it.
    virtual TColor Pixel(int x, int y) const = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    // Every other pixel of the frame inverted; drawing it twice removes it.
    virtual void DrawFocusRect(const TRect& rect) = 0;
    // The 3-D edge routine: see the BDR_ and BF_ values. With BF_ADJUST the rectangle shrinks by
    // the edges drawn. True unless the rectangle is empty.
    virtual bool DrawEdge(TRect& rect, unsigned edge, unsigned flags);

    // Text at the top-left of its cell in the font's colour, over BkColor while BkMode is opaque,
    // turned by the font's escapement about (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // ETO_OPAQUE fills rect with BkColor first, ETO_CLIPPED keeps the text inside it.
    virtual void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text) = 0;
    // The text laid out in rect by the DT_ flags; answers the text's height (with DT_VCENTER or
    // DT_BOTTOM, from rect's top to the bottom of the text).
    virtual int DrawText(const QString& text, TRect& rect, unsigned format);
    // The outline of the text (placed as TextOut places it) stroked with the pen.
    virtual void StrokeTextOutline(int x, int y, const QString& text) = 0;
    // One line, tabs not expanded, CharacterExtra included.
    virtual TSize TextExtent(const QString& text) = 0;
    int TextWidth(const QString& text) { return TextExtent(text).cx; }
    int TextHeight(const QString& text) { return TextExtent(text).cy; }
    virtual TTextMetrics TextMetrics() = 0;

    // The whole bitmap at (x, y), transparent by its transparent colour when it is set Transparent.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Source pixels of sourceRect into dest, stretched nearest-neighbour; a source with alpha blends.
    virtual void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) = 0;
    // The same, leaving out the source pixels of the transparent colour.
    virtual void CopyTransparent(const TRect& dest, const QImage& source, const TRect& sourceRect,
                                 TColor transparent) = 0;
    // The same through a mask of the source's geometry: black mask pixels take the source, white
    // ones keep what is there.
    virtual void CopyMasked(const TRect& dest, const QImage& source, const TRect& sourceRect,
                            const QImage& mask) = 0;
    // The surface's pixels in rect, as a 32-bit image; a null image where it cannot be read.
    virtual QImage Grab(const TRect& rect) const = 0;

    // Clipping replaces the previous clip; RemoveClip paints everywhere again.
    virtual void SetClipRect(const TRect& rect) = 0;
    virtual void SetClipRegion(const QRegion& region) = 0;
    virtual void RemoveClip() = 0;

protected:
    // Pieces DrawText is made of: one run of text (no tabs, no line ends) at the top-left of its
    // cell with the character at underline (or none, -1) underlined; a clip narrowed for the
    // duration of one DrawText and put back after it.
    virtual void PaintTextRun(int x, int y, const QString& text, int underline) = 0;
    // One colour over the rectangle, leaving pen and brush as they are (the edge routine's strokes).
    virtual void FillSolid(const TRect& rect, TColor color) = 0;
    virtual void PushClip(const TRect& rect) = 0;
    virtual void PopClip() = 0;
};

} // namespace platform
