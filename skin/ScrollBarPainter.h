#pragma once
// The scroll-bar painter: a bar's arrows, grip and thumb from the skin's Scrollbar, HorzScroll/VertScroll
// and HorzScrollThumb/VertScrollThumb images, laid out by ScrollBarLayout so that Qt's own scrolling
// follows what is drawn; and for the scrolling area around the bars, a flat two-ring frame and a corner
// in the face colour. Without a Scrollbar image the bars are the base style's, and stay usable.
#include "skin/SkinPainter.h"

class TSkinScrollBarPainter : public TSkinPainter {
public:
    bool DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                       const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
    std::optional<QRect> SubControlRect(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                        const QStyleOptionComplex& option, QStyle::SubControl part,
                                        const QWidget* widget) const override;
    std::optional<QStyle::SubControl> HitTest(const TSkinPaintContext& context,
                                              QStyle::ComplexControl control,
                                              const QStyleOptionComplex& option, QPoint point,
                                              const QWidget* widget) const override;
};

const TSkinPainter& ScrollBarPainter();

// How thick the skinned bar is drawn: the Scrollbar image's height, or the arrow length when the two
// differ by more than 2 pixels. The rest of the bar's thickness shows the face colour.
int ScrollBarThickness(int imageHeight, int arrowLength);
