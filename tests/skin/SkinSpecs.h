#pragma once
// Short hand for the builder's signature images in the skin tests.
#include "skinbuilder/SignatureImage.h"

inline skinbuilder::ImageSpec CellSpec(int objectId, int cells, QSize cell, skinbuilder::Edges edges = {},
                                       bool stacked = false)
{
    skinbuilder::ImageSpec spec;
    spec.objectId = objectId;
    spec.cells = cells;
    spec.cell = cell;
    spec.edges = edges;
    spec.stacked = stacked;
    return spec;
}
