#pragma once
// The knob's arithmetic: a 300-degree sweep with the lowest value at 240 degrees (lower left) and
// the highest at -60 (lower right), growing clockwise. Angles are whole degrees, 0 to the right,
// counter-clockwise positive; rounding is to the nearest, halves to even.
#include <QPoint>
#include <QSize>
#include <QString>

// 300 / (max - min); 0 when the range is empty.
double KnobDegreesPerUnit(int min, int max);

int KnobAngle(int position, int min, double degreesPerUnit);

int KnobValueOfAngle(int angle, int min, double degreesPerUnit);

// The angle under a point of a control of that size, with the dead zone below the centre given to
// the nearer end.
int KnobMouseAngle(QPoint point, QSize size);

// The label: the percentage value * 100 div max (0 when max is 0), a space, then the caption. The
// caption is taken literally except that "%%" gives "%" and a lone "%" at its end gives nothing.
QString KnobLabelText(int value, int max, const QString& caption);
