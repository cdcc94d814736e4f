#pragma once
// The general routines of the library's stream unit: rectangle fitting and turning, minimum and
// maximum, and the program and system folders.
#include "controls/LXTypes.h"
#include "platform_gui/Geometry.h"

#include <QString>
#include <span>
#include <vector>

// Source's size scaled by the smaller of the two ratios (truncated), at target's top-left; an empty
// rectangle there when the source has no size.
platform::TRect FitRect(const platform::TRect& source, const platform::TRect& target);
platform::TSize RectSize(const platform::TRect& rect);
// Halves to the even neighbour, saturated to the int range, NaN as 0.
int RoundToInt(double value);
// For an angle (degrees) other than 0: the box of the rectangle turned about its centre, moved to
// the origin. Halves round to the even neighbour.
void RotatedBounds(platform::TRect& rect, double angle);
// Adds dx and dy to points 0 to high (those that exist).
void OffsetPoints(std::vector<platform::TPoint>& points, int high, int dx, int dy);
// Of no values: 0.
int MaxOf(std::span<const int> values);
int MinOf(std::span<const int> values);
double MinOfReals(std::span<const double> values);

// The program's folder with a trailing "/".
QString AppPath();
// ppWindows the user's settings folder, ppSystem the system settings folder, ppProgram AppPath,
// ppFixed "" (whatever the flag); with or without the trailing "/".
QString PathPrefix(TLXPathPrefix kind, bool withSeparator);
