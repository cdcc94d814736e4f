#include "controls/LbStockGlyphs.h"

#include <map>
#include <vector>

using namespace platform;

namespace {

constexpr int Cell = 16;
constexpr TColor Background = clOlive; // never used by a stroke, so it keys cleanly
constexpr TColor Disabled = clGray;

struct Stroke {
    TColor Color;
    std::vector<TPoint> Points;
};

const std::map<QString, std::vector<Stroke>>& Designs()
{
    static const std::map<QString, std::vector<Stroke>> designs = {
        {QStringLiteral("LBOK"), {{clGreen, {{3, 8}, {6, 12}, {13, 3}}}}},
        {QStringLiteral("LBCANCEL"), {{clRed, {{3, 3}, {13, 13}}}, {clRed, {{13, 3}, {3, 13}}}}},
        {QStringLiteral("LBHELP"),
         {{clNavy, {{4, 5}, {6, 2}, {10, 2}, {12, 5}, {8, 8}, {8, 11}}}, {clNavy, {{8, 13}, {8, 15}}}}},
        {QStringLiteral("LBYES"), {{clGreen, {{2, 9}, {6, 13}, {14, 2}}}}},
        {QStringLiteral("LBNO"),
         {{clRed, {{4, 2}, {12, 2}, {14, 8}, {12, 14}, {4, 14}, {2, 8}, {4, 2}}},
          {clRed, {{4, 13}, {12, 3}}}}},
        {QStringLiteral("LBCLOSE"),
         {{clMaroon, {{3, 2}, {11, 2}, {11, 14}, {3, 14}, {3, 2}}}, {clMaroon, {{8, 8}, {9, 8}}}}},
        {QStringLiteral("LBABORT"), {{clRed, {{2, 8}, {14, 8}}}, {clRed, {{8, 2}, {8, 14}}}}},
        {QStringLiteral("LBRETRY"),
         {{clGreen, {{12, 4}, {8, 2}, {4, 4}, {2, 8}, {4, 12}, {8, 14}, {12, 12}}},
          {clGreen, {{12, 1}, {12, 5}, {9, 5}}}}},
        {QStringLiteral("LBIGNORE"), {{clNavy, {{2, 13}, {14, 3}}}, {clNavy, {{2, 8}, {8, 8}}}}},
        {QStringLiteral("LBALL"),
         {{clGreen, {{1, 8}, {4, 12}, {9, 3}}}, {clGreen, {{7, 8}, {10, 12}, {15, 3}}}}},
    };
    return designs;
}

void DrawStrokes(TCanvas& canvas, const std::vector<Stroke>& strokes, int left, bool disabled)
{
    canvas.Pen.SetWidth(2);
    for (const Stroke& stroke : strokes) {
        canvas.Pen.SetColor(disabled ? Disabled : stroke.Color);
        std::vector<TPoint> points = stroke.Points;
        for (TPoint& point : points)
            point.X += left;
        canvas.Polyline(points);
    }
}

TBitmap MakeStrip(const std::vector<Stroke>& strokes)
{
    TBitmap strip(2 * Cell, Cell);
    TCanvas& canvas = strip.Canvas();
    canvas.Brush.SetColor(Background);
    canvas.FillRect(Rect(0, 0, 2 * Cell, Cell));
    DrawStrokes(canvas, strokes, 0, false);
    DrawStrokes(canvas, strokes, Cell, true);
    return strip;
}

TBitmap MakeArrow()
{
    // A small black triangle pointing down, 7 x 4.
    TBitmap arrow(7, 5);
    TCanvas& canvas = arrow.Canvas();
    canvas.Brush.SetColor(Background);
    canvas.FillRect(Rect(0, 0, 7, 5));
    canvas.Brush.SetColor(clBlack);
    for (int row = 0; row < 4; ++row)
        canvas.FillRect(Rect(row, row, 7 - row, row + 1));
    return arrow;
}

} // namespace

const TBitmap& LbStockGlyph(const QString& name)
{
    static std::map<QString, TBitmap> made;
    if (auto found = made.find(name); found != made.end())
        return found->second;
    if (name == LbArrowGlyph)
        return made.emplace(name, MakeArrow()).first->second;
    const auto design = Designs().find(name);
    if (design == Designs().end()) {
        static const TBitmap none;
        return none;
    }
    return made.emplace(name, MakeStrip(design->second)).first->second;
}
