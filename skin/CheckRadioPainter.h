#pragma once
// Check boxes and radio buttons from the check and radio images of the skin's Buttons object: the
// state's cell as the glyph, the caption beside it on the skin's face. The layout stays the base
// style's, so nothing moves when a skin is loaded.
#include "skin/SkinPainter.h"

class TCheckRadioPainter final : public TSkinPainter {
public:
    enum class Glyph { Check, Radio };
    explicit TCheckRadioPainter(Glyph glyph) : glyph_(glyph) {}

    bool DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                       const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;

private:
    Glyph glyph_;
};

const TSkinPainter& CheckBoxPainter();
const TSkinPainter& RadioButtonPainter();
