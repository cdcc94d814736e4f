#pragma once
// Helpers for tests that paint: a pinned font, pixel probes and ink bounds on images, and a
// top-level window for controls to live in.
#include "platform_gui/Bitmap.h"
#include "platform_gui/Color.h"
#include "platform_gui/Font.h"

#include <QImage>
#include <QRect>
#include <QWidget>

// DejaVu Sans (installed with the build tools) at a fixed pixel height, antialiasing off, so ink
// positions are the same on every machine; the application font is left alone.
platform::TFont PinnedFont(int pixels = 13);

// A 32-bit image of the size, filled with the colour.
QImage BlankImage(int width, int height, platform::TColor fill = platform::clWhite);

// A bitmap of the size in one colour.
platform::TBitmap SolidBitmap(int width, int height, platform::TColor color);

// The colour of one pixel, as a 0x00BBGGRR value.
platform::TColor Probe(const QImage& image, int x, int y);

// The smallest rectangle holding every pixel that differs from the background; null when none does.
QRect InkBounds(const QImage& image, platform::TColor background = platform::clWhite);

// A plain top-level window, shown on the offscreen platform, for controls and event filters.
struct HostWindow {
    HostWindow();
    QWidget Window;
};
