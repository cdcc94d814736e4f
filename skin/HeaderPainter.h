#pragma once
// The header painter: each section from the skin's Headerbar image (cell 2 under the mouse, else 1),
// its label in the application's default font, and the empty area right of the last section in cell 1.
#include "skin/SkinPainter.h"

const TSkinPainter& HeaderPainter();
