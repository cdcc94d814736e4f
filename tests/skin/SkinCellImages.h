#pragma once
// Shorthand for the builder's signature images in the skin tests.
#include "skinbuilder/SignatureImage.h"

inline skinbuilder::ImageLayout CellLayout(int objectId, int cells, QSize cell, skinbuilder::Edges edges = {},
                                           bool stacked = false)
{
    skinbuilder::ImageLayout layout;
    layout.objectId = objectId;
    layout.cells = cells;
    layout.cell = cell;
    layout.edges = edges;
    layout.stacked = stacked;
    return layout;
}
