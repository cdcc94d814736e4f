#pragma once
// The up-down painter: a spin box's frame as the skinned edit's, and its two buttons as up-down halves
// from UpDown.Vert (plain halves with drawn arrows when the skin lacks it). The halves are also what
// other painters use for their scroll arrows.
#include "skin/SkinPainter.h"

const TSkinPainter& UpDownPainter();

enum class TUpDownArrow { Up, Down, Left, Right };

// The state of a half: 1 normal, 2 pressed, 3 disabled (4, hot, is never used by the up-down).
// Up and down halves come from UpDown.Vert, left and right halves from UpDown.Horz: cell state for
// the first arrow of the pair, state + 4 for the second, stretched over the half, with the same cell
// of the object's glyph image centred on it.
void DrawUpDownHalf(QPainter& painter, const QRect& rect, const TSkinDescription& skin, TUpDownArrow arrow,
                    int state);
