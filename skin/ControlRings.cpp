#include "skin/ControlRings.h"

#include <QPainter>

void DrawRings(QPainter& painter, const QRect& rect, std::initializer_list<QColor> colours)
{
    QRect ring = rect;
    for (const QColor& colour : colours) {
        if (ring.width() <= 0 || ring.height() <= 0)
            return;
        painter.fillRect(ring.left(), ring.top(), ring.width(), 1, colour);
        painter.fillRect(ring.left(), ring.bottom(), ring.width(), 1, colour);
        painter.fillRect(ring.left(), ring.top(), 1, ring.height(), colour);
        painter.fillRect(ring.right(), ring.top(), 1, ring.height(), colour);
        ring.adjust(1, 1, -1, -1);
    }
}
