#pragma once
// The size-grip painter: the grip is covered by the skin's face colour.
#include "skin/SkinPainter.h"

const TSkinPainter& SizerPainter();
