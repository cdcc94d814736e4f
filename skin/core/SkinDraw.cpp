#include "skin/core/SkinDraw.h"

#include <QBrush>
#include <algorithm>

namespace {

bool HasArea(const QRect& rect)
{
    return rect.width() > 0 && rect.height() > 0;
}

// An edge or cap as drawn: never negative, and never so wide that adding two of them overflows.
int EdgeWidth(int edge)
{
    return std::clamp(edge, 0, 0x7FFF);
}

// Copies the source piece onto the target piece, nearest-neighbour; empty pieces draw nothing.
void Stretch(QPainter& painter, const QRect& to, const QImage& image, const QRect& from)
{
    if (HasArea(to) && HasArea(from))
        painter.drawImage(to, image, from);
}

// Keeps the caller's painter as it was and scales without smoothing while a primitive draws on it.
class NearestScaling {
public:
    explicit NearestScaling(QPainter& painter) : painter_(painter)
    {
        painter_.save();
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    ~NearestScaling() { painter_.restore(); }
    NearestScaling(const NearestScaling&) = delete;
    NearestScaling& operator=(const NearestScaling&) = delete;

private:
    QPainter& painter_;
};

enum class Centre { None, Stretched, Tiled };

// The frame's pieces in their fixed order: the centre comes before the bottom-right corner, the right
// and the bottom edges, which cover whatever its tiles run past.
void DrawFramePieces(QPainter& painter, const QRect& target, const QImage& image, const QRect& cell,
                     const QMargins& edges, Centre centre)
{
    int l = EdgeWidth(edges.left());
    int t = EdgeWidth(edges.top());
    int r = EdgeWidth(edges.right());
    int b = EdgeWidth(edges.bottom());
    const int w = target.width();
    const int h = target.height();
    if (w < l + r)
        l = r = 0;
    if (h < t + b)
        t = b = 0;
    const int x = target.left();
    const int y = target.top();
    const int cx = cell.left();
    const int cy = cell.top();
    const int cw = cell.width();
    const int ch = cell.height();

    Stretch(painter, QRect(x, y, l, t), image, QRect(cx, cy, l, t));
    Stretch(painter, QRect(x, y + h - b, l, b), image, QRect(cx, cy + ch - b, l, b));
    Stretch(painter, QRect(x + w - r, y, r, t), image, QRect(cx + cw - r, cy, r, t));
    Stretch(painter, QRect(x, y + t, l, h - t - b), image, QRect(cx, cy + t, l, ch - t - b));
    Stretch(painter, QRect(x + l, y, w - l - r, t), image, QRect(cx + l, cy, cw - l - r, t));
    const QRect centreTarget(x + l, y + t, w - l - r, h - t - b);
    const QRect centreSource(cx + l, cy + t, cw - l - r, ch - t - b);
    if (centre == Centre::Tiled)
        TileDraw(painter, centreTarget, image, centreSource);
    else if (centre == Centre::Stretched)
        Stretch(painter, centreTarget, image, centreSource);
    Stretch(painter, QRect(x + w - r, y + h - b, r, b), image, QRect(cx + cw - r, cy + ch - b, r, b));
    Stretch(painter, QRect(x + w - r, y + t, r, h - t - b), image, QRect(cx + cw - r, cy + t, r, ch - t - b));
    Stretch(painter, QRect(x + l, y + h - b, w - l - r, b), image, QRect(cx + l, cy + ch - b, cw - l - r, b));
}

// A bitmap of the target's size in the image's format, all bits 0 (transparent black) until pieces
// land on it.
QImage BlankLike(const QImage& image, QSize size)
{
    QImage bitmap(size, image.isNull() ? QImage::Format_ARGB32_Premultiplied : image.format());
    bitmap.fill(0);
    return bitmap;
}

void CopyOrKey(QPainter& painter, const QRect& target, const QImage& bitmap, bool transparent)
{
    if (transparent)
        DrawTransparent(painter, target, bitmap);
    else
        painter.drawImage(target.topLeft(), bitmap);
}

// A bar along x (horizontal) or y (vertical), written once in "along" and "across" coordinates.
void DrawBar(QPainter& painter, const QRect& target, const QImage& image, const QRect& cell, int capStart,
             int capEnd, bool vertical)
{
    const auto place = [vertical](int along, int across, int length, int thickness) {
        return vertical ? QRect(across, along, thickness, length) : QRect(along, across, length, thickness);
    };
    const int cellAlong = vertical ? cell.top() : cell.left();
    const int cellAcross = vertical ? cell.left() : cell.top();
    const int cellLength = vertical ? cell.height() : cell.width();
    const int thickness = vertical ? cell.width() : cell.height();
    const int start = vertical ? target.top() : target.left();
    const int length = vertical ? target.height() : target.width();
    const int targetThickness = vertical ? target.width() : target.height();
    int across = vertical ? target.left() : target.top();
    if (targetThickness > thickness)
        across += (targetThickness - thickness) / 2;
    capStart = EdgeWidth(capStart);
    capEnd = EdgeWidth(capEnd);
    if (length < capStart + capEnd)
        capStart = capEnd = 0;

    NearestScaling scaling(painter);
    Stretch(painter, place(start, across, capStart, thickness), image,
            place(cellAlong, cellAcross, capStart, thickness));
    Stretch(painter, place(start + capStart, across, length - capStart - capEnd, thickness), image,
            place(cellAlong + capStart, cellAcross, cellLength - capStart - capEnd, thickness));
    Stretch(painter, place(start + length - capEnd, across, capEnd, thickness), image,
            place(cellAlong + cellLength - capEnd, cellAcross, capEnd, thickness));
}

} // namespace

QRect SkinCellRect(const QImage& image, bool stacked, int n, int k)
{
    n = std::max(n, 1);
    k = std::clamp(k, 1, n);
    if (stacked) {
        const int height = image.height() / n;
        return QRect(0, height * (k - 1), image.width(), height);
    }
    const int width = image.width() / n;
    return QRect(width * (k - 1), 0, width, image.height());
}

QImage SkinFrameBitmap(QSize target, const QImage& image, const QMargins& edges, bool stacked, bool tile,
                       int n, int k)
{
    if (target.width() <= 0 || target.height() <= 0)
        return {};
    QImage bitmap = BlankLike(image, target);
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    DrawFramePieces(painter, bitmap.rect(), image, SkinCellRect(image, stacked, n, k), edges,
                    tile ? Centre::Tiled : Centre::Stretched);
    return bitmap;
}

void DrawSkinFrame(QPainter& painter, const QRect& target, const QImage& image, bool stacked, bool tile,
                   bool transparent, int n, int k, const QMargins& edges)
{
    if (!HasArea(target))
        return;
    CopyOrKey(painter, target, SkinFrameBitmap(target.size(), image, edges, stacked, tile, n, k),
              transparent);
}

void DrawSkinFrameEdges(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n,
                        int k, const QMargins& edges)
{
    if (!HasArea(target))
        return;
    NearestScaling scaling(painter);
    DrawFramePieces(painter, target, image, SkinCellRect(image, stacked, n, k), edges, Centre::None);
}

void DrawSkinStrip(QPainter& painter, const QRect& target, const QImage& image, bool stacked,
                   bool transparent, int n, int k, const QMargins& edges)
{
    if (!HasArea(target))
        return;
    const QRect cell = SkinCellRect(image, stacked, n, k);
    const int l = EdgeWidth(edges.left());
    const int r = EdgeWidth(edges.right());
    const int w = target.width();
    const int h = target.height();
    QImage bitmap = BlankLike(image, target.size());
    {
        QPainter strip(&bitmap);
        strip.setCompositionMode(QPainter::CompositionMode_Source);
        Stretch(strip, QRect(0, 0, l, h), image, QRect(cell.left(), cell.top(), l, cell.height()));
        const int middle = cell.width() - l - r;
        if (middle > 0 && cell.height() > 0) {
            // One middle piece at the strip's height, repeated; the last copy runs under the right cap.
            const QImage piece = image.copy(cell.left() + l, cell.top(), middle, cell.height())
                                     .scaled(middle, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            TileDraw(strip, QRect(l, 0, w - r - l, h), piece, piece.rect());
        }
        Stretch(strip, QRect(w - r, 0, r, h), image,
                QRect(cell.right() + 1 - r, cell.top(), r, cell.height()));
    }
    CopyOrKey(painter, target, bitmap, transparent);
}

void DrawSkinCell(QPainter& painter, const QRect& target, const QImage& image, bool transparent, int n, int k)
{
    if (!HasArea(target))
        return;
    const QRect cell = SkinCellRect(image, false, n, k);
    if (!HasArea(cell))
        return;
    NearestScaling scaling(painter);
    if (transparent)
        painter.drawImage(target, SkinKeyedCopy(image, cell));
    else
        painter.drawImage(target, image, cell);
}

void DrawSkinCellCentered(QPainter& painter, const QRect& target, const QImage& image, bool transparent,
                          int n, int k)
{
    if (!HasArea(target))
        return;
    const QRect cell = SkinCellRect(image, false, n, k);
    if (!HasArea(cell))
        return;
    const QPoint at(target.left() + (target.width() - cell.width()) / 2,
                    target.top() + (target.height() - cell.height()) / 2);
    if (transparent)
        painter.drawImage(at, SkinKeyedCopy(image, cell));
    else
        painter.drawImage(at, image, cell);
}

void DrawSkinHBar(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n, int k,
                  const QMargins& caps)
{
    if (HasArea(target))
        DrawBar(painter, target, image, SkinCellRect(image, stacked, n, k), caps.left(), caps.right(), false);
}

void DrawSkinVBar(QPainter& painter, const QRect& target, const QImage& image, bool stacked, int n, int k,
                  const QMargins& caps)
{
    if (HasArea(target))
        DrawBar(painter, target, image, SkinCellRect(image, stacked, n, k), caps.top(), caps.bottom(), true);
}

void TileDraw(QPainter& painter, const QRect& target, const QImage& image, const QRect& source)
{
    const QRect piece = source.intersected(image.rect());
    if (!HasArea(piece) || !HasArea(target))
        return;
    // Whole copies only: the last column and row reach past the target as far as a copy is long.
    const int columns = (target.width() + piece.width() - 1) / piece.width();
    const int rows = (target.height() + piece.height() - 1) / piece.height();
    painter.save();
    painter.setBrushOrigin(target.topLeft());
    painter.fillRect(QRect(target.topLeft(), QSize(columns * piece.width(), rows * piece.height())),
                     QBrush(image.copy(piece)));
    painter.restore();
}

void DrawTransparent(QPainter& painter, const QRect& target, const QImage& bitmap, QRgb key)
{
    if (!HasArea(target) || bitmap.isNull())
        return;
    const QRect area(0, 0, std::min(target.width(), bitmap.width()),
                     std::min(target.height(), bitmap.height()));
    painter.drawImage(target.topLeft(), SkinKeyedCopy(bitmap, area, key));
}

QImage SkinKeyedCopy(const QImage& image, const QRect& area, QRgb key)
{
    QImage copy = image.copy(area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb opaqueKey = key | 0xFF000000u;
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        std::replace(line, line + copy.width(), opaqueKey, QRgb{0});
    }
    return copy;
}
