#pragma once
// Check boxes and radio buttons from the check and radio images of the skin's Buttons object: the
// state's cell as the glyph, the caption beside it on the skin's face. The layout stays the base
// style's, so nothing moves when a skin is loaded.
#include "skin/SkinPainter.h"

const TSkinPainter& CheckBoxPainter();
const TSkinPainter& RadioButtonPainter();
