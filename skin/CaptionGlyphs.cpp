#include "skin/CaptionGlyphs.h"

#include <QPainter>

QImage CaptionGlyphs()
{
    QImage glyphs(64, 16, QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.setPen(Qt::black);
    // Restore: two overlapping windows.
    painter.drawRect(6, 3, 6, 5);
    painter.drawLine(6, 4, 12, 4);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(3, 7, 7, 6, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawRect(3, 7, 6, 5);
    painter.drawLine(3, 8, 9, 8);
    // Maximise: one window with a thick title.
    painter.drawRect(16 + 3, 3, 9, 9);
    painter.drawLine(16 + 3, 4, 16 + 12, 4);
    // Minimise: a bar at the bottom.
    painter.fillRect(32 + 4, 10, 7, 2, Qt::black);
    // Close: a cross.
    painter.drawLine(48 + 4, 4, 48 + 11, 11);
    painter.drawLine(48 + 5, 4, 48 + 12, 11);
    painter.drawLine(48 + 11, 4, 48 + 4, 11);
    painter.drawLine(48 + 12, 4, 48 + 5, 11);
    return glyphs;
}
