#pragma once
// The engine window menu's four 16 x 16 glyphs, our own artwork: restore, maximise, minimise, close,
// side by side on a transparent ground.
#include <QImage>

QImage CaptionGlyphs();
