#pragma once
// DrawText's layout, apart from any painting: prefixes, line breaks, word breaks, tab stops,
// ellipses and alignment by the DT_ flags, measured through a function the canvas gives.
#include "platform_gui/Geometry.h"

#include <QString>
#include <functional>
#include <vector>

namespace platform {

struct TTextRun {
    int X = 0; // left of the run's cell
    QString Text;
    int Underline = -1; // index in Text of the prefixed character, -1 for none
};

struct TTextLine {
    int Y = 0; // top of the line's cell
    int Width = 0;
    std::vector<TTextRun> Runs;
};

struct TTextLayout {
    std::vector<TTextLine> Lines;
    TRect Bounds;   // what DT_CALCRECT gives: rect's left and top, the widest line, all lines' height
    int Height = 0; // DrawText's answer
};

struct TTextMeasure {
    std::function<int(const QString&)> Width; // one run, no tabs
    int LineHeight = 0;
    int AveCharWidth = 0;
};

TTextLayout LayOutText(const QString& text, const TRect& rect, unsigned format, const TTextMeasure& measure);

// The text with prefixes taken out ("&&" stays one "&"); underline gets the index of the first
// prefixed character, or -1.
QString StripPrefixes(const QString& text, int& underline);

} // namespace platform
