#pragma once
// The track-bar painter: a slider's channel from the program's TRACK (TRACKVERT) image and its thumb as
// cell 2 of the skin's Trackbar.ThumbHorz (ThumbVert) image whatever its state; the tick marks stay the
// base style's.
#include "skin/SkinPainter.h"

const TSkinPainter& TrackBarPainter();
