// The menus: the bar in an active and an inactive cell, the items' cells and the panel behind them.
#include "Artwork.h"
#include "Parts.h"

namespace mkskin {

namespace {

// The menu bar: two stacked cells (active, inactive), a soft gradient over a line at the bottom.
QImage MenuBar()
{
    return Cells({2, QSize(40, 20), true}, [](QPainter& painter, const QRect& rect, int cell) {
        const bool active = cell == 0;
        painter.fillRect(rect, CellRamp(rect, active ? QColor(240, 244, 250) : QColor(236, 236, 236),
                                        active ? QColor(208, 218, 236) : QColor(214, 214, 214)));
        painter.setPen(active ? QColor(150, 166, 196) : QColor(176, 176, 176));
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    });
}

// Menu items: five cells (normal, separator, spare, selected, spare). The normal cell is all key
// colour, so the menu's background shows; the separator is an etched line low in its cell, since a
// separator item is lower than the cell and shows the cell's bottom.
QImage MenuItem()
{
    return Cells({5, QSize(30, 20)}, [](QPainter& painter, const QRect& rect, int cell) {
        if (cell == 1) { // etched: a dark line over a light one
            const int y = rect.bottom() - 4;
            painter.setPen(QColor(170, 182, 204));
            painter.drawLine(rect.left() + 2, y, rect.right() - 2, y);
            painter.setPen(QColor(255, 255, 255));
            painter.drawLine(rect.left() + 2, y + 1, rect.right() - 2, y + 1);
        } else if (cell >= 2) {
            Rounded(painter, rect.adjusted(1, 1, -2, -2), Active.edge,
                    CellRamp(rect, Active.top, Active.bottom));
        }
    });
}

} // namespace

QList<skinbuilder::Member> MenuMembers()
{
    // The menu panel: a light field inside a dark line and a soft inner ring.
    return {Bitmap("menubar.bmp", MenuBar()), Bitmap("menuitem.bmp", MenuItem()),
            Bitmap("menubackground.bmp", Panel(QColor(248, 249, 252), QColor(206, 214, 230)))};
}

} // namespace mkskin
