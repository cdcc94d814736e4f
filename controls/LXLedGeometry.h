#pragma once
// The geometry of the sixteen-segment LED cell and what a cell shows: pure functions of the
// horizontal segment length H, the vertical length V and the thickness T. A cell is H + 5T wide and
// 2V + 7T high; integer halves truncate, the rounded ones go half to even.
#include "platform_gui/Geometry.h"

#include <QString>
#include <cstdint>
#include <vector>

inline constexpr int LedSegmentCount = 16;

struct TLXLedGeometry {
    int Horz = 9;
    int Vert = 7;
    int Thick = 2;

    platform::TSize CellSize() const { return {Horz + 5 * Thick, 2 * Vert + 7 * Thick}; }
    // Segments 7 to 15 (centre bars, diagonals, dots) light only on cells large enough for them.
    bool HasInnerSegments() const { return Horz > 3 && Vert > 3; }
    // The six corners of a segment in cell coordinates; none for a diagonal of no length.
    std::vector<platform::TPoint> SegmentPolygon(int segment) const;
    // Columns are the longest row in characters from the space on, rows are one more than the
    // carriage returns; the width has one pixel more than the cells.
    platform::TSize TextExtent(const QString& text, int margin) const;
};

// Bit n lights segment n; lower case shows as upper case, characters without a shape give 0.
uint16_t LedCharacterMask(QChar character);

// The number as an LED label shows it: the sign first, then zeros to the width; dashes of the
// width when it does not fit.
QString LedNumberText(int value, int digits);
