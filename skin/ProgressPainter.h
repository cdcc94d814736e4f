#pragma once
// The progress-bar painter: the Progress image's cell 1 over the whole bar and cell 2 over the done
// part, or (Style 1) the image as the bar and its Chunk image as the fill. A vertical bar is drawn
// lying down and turned, so it fills from the bottom. The percentage text stays the base style's.
#include "skin/SkinPainter.h"

const TSkinPainter& ProgressPainter();
