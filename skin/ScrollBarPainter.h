#pragma once
// The scroll-bar painter: a bar's arrows, grip and thumb from the skin's Scrollbar, HorzScroll/VertScroll
// and HorzScrollThumb/VertScrollThumb images, laid out by ScrollBarLayout so that Qt's own scrolling
// follows what is drawn; and for the scrolling area around the bars, a flat two-ring frame and a corner
// in the face colour. Without a Scrollbar image the bars are the base style's, and stay usable.
#include "skin/SkinPainter.h"

const TSkinPainter& ScrollBarPainter();

// How thick the skinned bar is drawn: the Scrollbar image's height, or the arrow length when the two
// differ by more than 2 pixels. The rest of the bar's thickness shows the face colour.
int ScrollBarThickness(int imageHeight, int arrowLength);
