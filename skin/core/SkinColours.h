#pragma once
// Colours written as text in a skin description ("r,g,b"), and the description's colour set.
#include "platform_gui/Color.h"

#include <QString>
#include <QStringList>
#include <array>

struct TSkinColours;
struct TSkinSource;

// The default for an empty text. Otherwise the runs of digits are the numbers: the first run that
// another character ends is red, the second green, the third blue, and a run the text ends in is blue
// when exactly two came before. Numbers not found are 0. So "255,128,0" is 0x0080FF, "255, 128" is
// 0x0000FF and a single number is black. A number too long for 32 bits counts as 2147483647.
platform::TColor ParseColourText(const QString& text, platform::TColor defaultColour);

// The sixteen keys of [Colours]; Menubar defaults to the ButtonFace read.
TSkinColours ReadColourSet(const TSkinSource& source);

// One entry (key "color", default clWindowText) per section whose upper-case name begins with COLOUR,
// other than COLOURS, in section order.
QList<platform::TColor> ReadColourTable(const TSkinSource& source, const QStringList& sections);

// [Customcolors] Color0 to Color9, white by default.
std::array<platform::TColor, 10> ReadCustomColours(const TSkinSource& source);
