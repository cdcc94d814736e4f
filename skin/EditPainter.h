#pragma once
// The edit painter: a framed line edit gets the skin's flat frame instead of the system's border.
#include "skin/SkinPainter.h"

const TSkinPainter& EditPainter();

// The flat frame of an edit: a ring of the skin's button shadow on the edge and two white rings inside
// it. Spin boxes draw the same frame round their edit.
void DrawEditFrame(QPainter& painter, const QRect& rect, const TSkinDescription& skin);
