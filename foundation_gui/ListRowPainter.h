#pragma once
// One row of the station's owner-drawn file lists (channel queue, folder pages): the name in the
// row role's font on its colour, the length in a box of its own at the right edge, and the optional
// green line below and red line at the right that the settings switch on.
#include "foundation_gui/DisplayRoles.h"

#include <QRect>
#include <QString>

#include <initializer_list>

class QPainter;

struct TListRowLook {
    DisplayRole Row;     // the name's font and the row's colour
    DisplayRole Info;    // the length's font and its box's colour
    DisplayRole Measure; // the font the box's width is measured with: the length, then a "k"
    int NameIndent = 0;
    Qt::Alignment InfoAlign = Qt::AlignLeft;
    bool LineAboveFirstRow = false; // row 0 has a line along its top as well
};

void PaintListRow(QPainter& painter, const QRect& rect, int row, const TListRowLook& look,
                  const QString& name, const QString& length);

// The largest pixel height of the roles' fonts, plus 5: the item height of a list drawn in them.
int ListItemHeight(std::initializer_list<DisplayRole> roles);
