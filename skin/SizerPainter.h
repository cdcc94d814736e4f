#pragma once
// The size-grip painter: the grip is covered by the skin's face colour.
#include "skin/SkinPainter.h"

class TSkinSizerPainter : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
};

const TSkinPainter& SizerPainter();
