#pragma once
// Skin images whose every pixel tells where it came from: red = object id x 6 (ids 1 to 40), green =
// cell number x 10, blue = the part of the cell (centre, fixed edge or corner). None of them is
// magenta, the transparent colour, which goes only where a test puts it.
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

namespace skinbuilder {

enum class CellPart { Centre = 0x40, Edge = 0x80, Corner = 0xC0 };

struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

constexpr QRgb Magenta = 0xFFFF00FF;

QRgb Signature(int objectId, int cell, CellPart part);

struct ImageLayout {
    QString file; // the member name, lower case, ending ".bmp"
    int objectId = 1;
    QSize cell;
    int cells = 1;
    bool stacked = false; // cells one below the other instead of side by side
    Edges edges;
    QList<QRect> magenta; // in every cell, in the cell's own coordinates

    QSize Size() const
    {
        return stacked ? QSize(cell.width(), cell.height() * cells)
                       : QSize(cell.width() * cells, cell.height());
    }
    // Cell n (from 1) in the whole image.
    QRect Cell(int n) const;
};

// RGB32, each cell painted by part and its magenta put in.
QImage SignatureImage(const ImageLayout& layout);

} // namespace skinbuilder
