#pragma once
// The track-bar painter: a slider's channel from the program's TRACK (TRACKVERT) image and its thumb as
// cell 2 of the skin's Trackbar.ThumbHorz (ThumbVert) image whatever its state; the tick marks stay the
// base style's.
#include "skin/SkinPainter.h"

class TSkinTrackBarPainter : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

const TSkinPainter& TrackBarPainter();
