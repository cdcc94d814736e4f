#pragma once
// Push buttons from the skin's Buttons object: its state cell drawn as a frame over the whole button,
// the caption centred and word-wrapped on top. Dialog and message-box buttons come through the style;
// the controls library's button, which paints itself, through the paint intercept.
#include "skin/SkinPainter.h"

class TButtonPainter final : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

const TSkinPainter& ButtonPainter();
