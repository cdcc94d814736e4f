#pragma once
// The windows bar's button pictures, drawn by code at 16 x 16: one per button that shows no caption.
#include <QIcon>
#include <QString>

// The picture of the button with this object name; a null icon for a button that shows its caption.
QIcon BarGlyph(const QString& buttonName);
