#pragma once
// One-pixel rings round a control's edge: the flat frames the skin gives edits, combo boxes and
// scrolling lists instead of the system's sunken border.
#include <QColor>
#include <QRect>

#include <initializer_list>

class QPainter;

// One ring per colour, the first on the rectangle's edge and each next one a pixel further in.
void DrawRings(QPainter& painter, const QRect& rect, std::initializer_list<QColor> colours);
