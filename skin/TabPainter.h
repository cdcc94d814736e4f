#pragma once
// Tab controls from the skin's Tabs object: each tab a cell of its image (cell 2 for the current one),
// the strip behind them in the skin's face, and the pane's edges from the Tabs border image (Style 0)
// or the Tab.Pane object (Style 1). Tabs at the bottom take the images upside down; tabs at the left
// and right take them turned a quarter. Tab sheets take the skin's face.
#include "skin/SkinPainter.h"

const TSkinPainter& TabPainter();
const TSkinPainter& TabSheetPainter();
