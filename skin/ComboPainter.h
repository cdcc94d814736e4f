#pragma once
// The combo box painter: the whole control (frame and drop-down button) from the combo strip the skin
// description makes of SunkEdge and ComboButton, or, for a skin whose ComboButton has Style 1 and no
// SunkEdge, flat rings with the ComboButton cell as the button. The text is still the base style's.
#include "skin/SkinPainter.h"

const TSkinPainter& ComboPainter();
