#pragma once
// Push buttons from the skin's Buttons object: its state cell drawn as a frame over the whole button,
// the caption centred and word-wrapped on top. Dialog and message-box buttons come through the style;
// the controls library's button, which paints itself, through the paint intercept.
#include "skin/SkinPainter.h"

const TSkinPainter& ButtonPainter();
