#pragma once
// The containers in the skin's colours: group boxes as a thin rounded frame in the skin's shadow
// colour with the caption on the skin's face, and status bars on the skin's face with their message
// in the StatusBarEdges text colour. Panels take only the skin's face, which their binding gives them.
#include "skin/SkinPainter.h"

class TGroupBoxPainter final : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

// Through the paint intercept: the base style would draw the message 15 pixels in, the skin 2.
class TStatusBarPainter final : public TSkinPainter {
public:
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

const TSkinPainter& GroupBoxPainter();
const TSkinPainter& StatusBarPainter();
