#pragma once
// The containers in the skin's colours: group boxes as a thin rounded frame in the skin's shadow
// colour with the caption on the skin's face, and status bars on the skin's face with their message
// in the StatusBarEdges text colour. Panels take only the skin's face, which their binding gives them.
#include "skin/SkinPainter.h"

const TSkinPainter& GroupBoxPainter();
const TSkinPainter& StatusBarPainter();
