#pragma once
// Tab controls from the skin's Tabs object: each tab a cell of its image (cell 2 for the current one),
// the strip behind them in the skin's face, and the pane's edges from the Tabs border image (Style 0)
// or the Tab.Pane object (Style 1). Tabs at the bottom take the images upside down; tabs at the left
// and right take them turned a quarter. Tab sheets take the skin's face.
#include "skin/SkinPainter.h"

class TTabPainter final : public TSkinPainter {
public:
    bool DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                       const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    // The tab bar's scroll arrows, as up-down halves where the skin has them.
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
    // The system's own page control (the folders window's), which paints its strip itself.
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

class TTabSheetPainter final : public TSkinPainter {
public:
    bool PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const override;
};

const TSkinPainter& TabPainter();
const TSkinPainter& TabSheetPainter();
