#include "skinbuilder/SignatureImage.h"

#include <QPainter>

namespace skinbuilder {

QRgb Signature(int objectId, int cell, CellPart part)
{
    return qRgb(objectId * 6, cell * 10, int(part));
}

QRect ImageLayout::Cell(int n) const
{
    const QPoint origin = stacked ? QPoint(0, cell.height() * (n - 1)) : QPoint(cell.width() * (n - 1), 0);
    return QRect(origin, cell);
}

QImage SignatureImage(const ImageLayout& layout)
{
    QImage image(layout.Size(), QImage::Format_RGB32);
    for (int n = 1; n <= layout.cells; ++n) {
        const QRect cell = layout.Cell(n);
        for (int y = 0; y < cell.height(); ++y) {
            const bool rowEdge = y < layout.edges.top || y >= cell.height() - layout.edges.bottom;
            for (int x = 0; x < cell.width(); ++x) {
                const bool columnEdge = x < layout.edges.left || x >= cell.width() - layout.edges.right;
                const CellPart part = rowEdge && columnEdge   ? CellPart::Corner
                                      : rowEdge || columnEdge ? CellPart::Edge
                                                              : CellPart::Centre;
                image.setPixel(cell.left() + x, cell.top() + y, Signature(layout.objectId, n, part));
            }
        }
        QPainter painter(&image);
        for (const QRect& rect : layout.magenta)
            painter.fillRect(rect.translated(cell.topLeft()).intersected(cell), QColor::fromRgb(Magenta));
    }
    return image;
}

} // namespace skinbuilder
