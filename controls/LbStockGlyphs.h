#pragma once
// The stock kinds' glyph strips ("LBOK" to "LBALL": a normal and a disabled cell of 16 x 16) and the
// drop-down arrow ("LBARROW"), drawn by the program itself. Their transparent colour is their
// bottom-left pixel.
#include "platform_gui/Bitmap.h"

#include <QString>

inline const QString LbArrowGlyph = QStringLiteral("LBARROW");

// An empty bitmap for an unknown name.
const platform::TBitmap& LbStockGlyph(const QString& name);
