#pragma once
// One tick of the scrolling label: where its text goes next, from the position, the sizes and the
// bounce state alone.
#include <QSize>

enum TScrollDirection {
    sdLeftToRight,
    sdRightToLeft,
    sdHorzBounce,
    sdTopToBottom,
    sdBottomToTop,
    sdVertBounce
};

struct TScrollPosition {
    int X = 0;
    int Y = 0;
    // The bounces start moving left and up.
    bool MovingRight = false;
    bool MovingDown = false;

    bool operator==(const TScrollPosition&) const = default;
};

TScrollPosition ScrollStep(TScrollPosition position, TScrollDirection direction, int jump, QSize area,
                           QSize text);
