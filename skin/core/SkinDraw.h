#pragma once
// The drawing primitives every skin painter uses: a skin image holds n equal cells (side by side, or
// stacked where the caller says so), numbered from 1, with fixed edges that are never stretched.
// Scaling is nearest-neighbour; magenta (0xFF00FF) is the transparent key. Nothing here keeps state.
#include <QImage>
#include <QMargins>
#include <QPainter>
#include <QRect>
#include <QRgb>

// The transparent colour of every skin image.
constexpr QRgb SkinKeyColor = 0xFFFF00FF;

// The rectangle of cell k of n in the image. A count below 1 counts as 1 and k is kept within 1..n,
// so a painter asking for a state the image lacks gets its nearest cell, never pixels outside it.
QRect SkinCellRect(const QImage& image, bool stacked, int n, int k);

// A new image of the target size (in the image's format) from cell k: the corners copied unscaled, the
// edges stretched along their length only, the centre stretched, or tiled when tile is set. A target
// narrower than the left and right edges together drops both; the same for top and bottom.
QImage SkinFrameBitmap(QSize target, const QImage& image, const QMargins& edges, bool stacked, bool tile,
                       int n, int k);

// SkinFrameBitmap drawn at the target, through the key colour when transparent.
void DrawSkinFrame(QPainter& painter, const QRect& target, const QImage& image, bool stacked, bool tile,
                   bool transparent, int n, int k, const QMargins& edges);

// Only the eight edge and corner pieces of the frame, straight onto the painter; the centre is left.
void DrawSkinFrameEdges(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n,
                        int k, const QMargins& edges);

// A horizontal strip: the left and right caps (edges.left(), edges.right()) stretched to the target's
// height, and the middle repeated unscaled in width between them.
void DrawSkinStrip(QPainter& painter, const QRect& target, const QImage& image, bool stacked,
                   bool transparent, int n, int k, const QMargins& edges);

// Cell k of side-by-side cells stretched over the target.
void DrawSkinCell(QPainter& painter, const QRect& target, const QImage& image, bool transparent, int n,
                  int k);

// Cell k of side-by-side cells unscaled, centred in the target (halves truncated toward zero).
void DrawSkinCellCentered(QPainter& painter, const QRect& target, const QImage& image, bool transparent,
                          int n, int k);

// A bar of cell k: the caps at their size, the middle stretched along the bar, all at the cell's
// thickness and centred across the target when it is thicker. A target shorter than both caps
// together draws the whole cell stretched, without caps.
void DrawSkinHBar(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n, int k,
                  const QMargins& caps);
void DrawSkinVBar(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n, int k,
                  const QMargins& caps);

// Fills the target with copies of the source piece from its top-left corner on; the last row and
// column run past the target's right and bottom (the caller's later pieces cover them).
void TileDraw(QPainter& painter, const QRect& target, const QImage& image, const QRect& source);

// The bitmap's top-left part of the target's size drawn at the target; pixels of exactly the key
// colour leave what is beneath.
void DrawTransparent(QPainter& painter, const QRect& target, const QImage& bitmap, QRgb key = SkinKeyColor);

// A copy of the area of the image in ARGB32_Premultiplied with every pixel of exactly the key colour
// made fully transparent.
QImage SkinKeyedCopy(const QImage& image, const QRect& area, QRgb key = SkinKeyColor);
