#include "skin/ScrollBarPainter.h"

#include "skin/ControlRings.h"
#include "skin/ScrollBarLayout.h"
#include "skin/SkinControlDraw.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionSlider>

#include <cstdlib>

namespace {

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

// The Scrollbar image holds 23 cells whatever its frame count says.
constexpr int ScrollbarCells = 23;

const QStyleOptionSlider* SkinnedBar(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                     const QStyleOptionComplex& option)
{
    if (control != QStyle::CC_ScrollBar || !context.Skin.Scrollbar || context.Skin.Scrollbar->Image.isNull())
        return nullptr;
    return qstyleoption_cast<const QStyleOptionSlider*>(&option);
}

int ArrowLength(const TSkinPaintContext& context, const QStyleOptionSlider& bar, const QWidget* widget)
{
    return context.Base.pixelMetric(QStyle::PM_ScrollBarExtent, &bar, widget);
}

TScrollBarLayout Layout(const TSkinPaintContext& context, const QStyleOptionSlider& bar,
                        const QWidget* widget)
{
    return LayOutScrollBar(bar, ArrowLength(context, bar, widget),
                           context.Base.pixelMetric(QStyle::PM_ScrollBarSliderMin, &bar, widget));
}

// A part's rectangle cut to the drawn thickness, from the bar's top (left) edge.
QRect Thin(QRect part, bool horizontal, int thickness)
{
    if (horizontal)
        part.setHeight(std::min(part.height(), thickness));
    else
        part.setWidth(std::min(part.width(), thickness));
    return part;
}

// How a part shows: 1 while pressed, 2 while under the mouse, else 0.
int PartState(const QStyleOptionSlider& bar, QStyle::SubControl part)
{
    if (!(bar.activeSubControls & part))
        return 0;
    return bar.state & QStyle::State_Sunken ? 1 : 2;
}

// The arrow cells: 1 and 5 across, 9 and 13 down; 1 more while pressed, 3 more under the mouse.
int ArrowCell(const QStyleOptionSlider& bar, QStyle::SubControl part, bool physicallyFirst)
{
    const int base = (bar.orientation == Qt::Horizontal ? 1 : 9) + (physicallyFirst ? 0 : 4);
    const int state = PartState(bar, part);
    return base + (state == 1 ? 1 : state == 2 ? 3 : 0);
}

void DrawTrack(QPainter& painter, const QRect& groove, const TSkinDescription& skin, bool horizontal,
               bool enabled)
{
    const std::optional<TDataSkinObject>& track = horizontal ? skin.HorzScroll : skin.VertScroll;
    if (track)
        DrawSkinObject(painter, groove, track->Frames, enabled ? 1 : 3, *track);
}

// The thumb (cell 1; 2 pressed, 3 under the mouse) and, when the grip fits, the grip centred on it.
void DrawThumb(QPainter& painter, const QRect& slider, const QStyleOptionSlider& bar,
               const TSkinDescription& skin)
{
    const bool horizontal = bar.orientation == Qt::Horizontal;
    const int state = PartState(bar, QStyle::SC_ScrollBarSlider);
    const std::optional<TDataSkinObject>& thumb = horizontal ? skin.HorzScrollThumb : skin.VertScrollThumb;
    if (thumb && !thumb->Image.isNull())
        DrawSkinFrame(painter, slider, thumb->Image, false, false, thumb->Trans == 1, thumb->Frames,
                      state == 1   ? 2
                      : state == 2 ? 3
                                   : 1,
                      thumb->Edges());

    const QImage& image = skin.Scrollbar->Image;
    const int grip = image.height();
    const int length = horizontal ? slider.width() : slider.height();
    if (grip >= length + 2)
        return;
    const int offset = (length - grip) / 2;
    const QRect piece = horizontal ? QRect(slider.left() + offset, slider.top(), grip, slider.height())
                                   : QRect(slider.left(), slider.top() + offset, slider.width(), grip);
    DrawSkinCell(painter, piece, image, true, ScrollbarCells, (horizontal ? 17 : 20) + state);
}

} // namespace

int ScrollBarThickness(int imageHeight, int arrowLength)
{
    return std::abs(imageHeight - arrowLength) > 2 ? arrowLength : imageHeight;
}

bool TSkinScrollBarPainter::DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                                          const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    if (element != QStyle::PE_PanelScrollAreaCorner)
        return false;
    painter.fillRect(option.rect, context.Face());
    return true;
}

bool TSkinScrollBarPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                        const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (element != QStyle::CE_ShapedFrame || !frame)
        return false;
    // A scrolling area with a frame gets the flat one; one without keeps none.
    if (frame->frameShape != QFrame::NoFrame)
        DrawRings(painter, option.rect,
                  {platform::ToQColor(context.Skin.Colours.ButtonShadow), context.Face()});
    return true;
}

bool TSkinScrollBarPainter::DrawComplexControl(const TSkinPaintContext& context,
                                               QStyle::ComplexControl control,
                                               const QStyleOptionComplex& option, QPainter& painter,
                                               const QWidget* widget) const
{
    const QStyleOptionSlider* bar = SkinnedBar(context, control, option);
    if (!bar)
        return false;
    const TSkinDescription& skin = context.Skin;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const bool enabled = bar->state & QStyle::State_Enabled;
    const TScrollBarLayout layout = Layout(context, *bar, widget);
    const int thickness =
        ScrollBarThickness(skin.Scrollbar->Image.height(), ArrowLength(context, *bar, widget));

    painter.fillRect(option.rect, context.Face());
    DrawTrack(painter, Thin(layout.Groove, horizontal, thickness), skin, horizontal, enabled);
    const bool mirrored = horizontal && bar->direction == Qt::RightToLeft;
    DrawSkinCell(painter, Thin(layout.SubLine, horizontal, thickness), skin.Scrollbar->Image, true,
                 ScrollbarCells, ArrowCell(*bar, QStyle::SC_ScrollBarSubLine, !mirrored));
    DrawSkinCell(painter, Thin(layout.AddLine, horizontal, thickness), skin.Scrollbar->Image, true,
                 ScrollbarCells, ArrowCell(*bar, QStyle::SC_ScrollBarAddLine, mirrored));
    // A disabled bar, or a track too short for a thumb, shows none.
    if (enabled && !layout.Slider.isEmpty())
        DrawThumb(painter, Thin(layout.Slider, horizontal, thickness), *bar, skin);
    return true;
}

std::optional<QRect> TSkinScrollBarPainter::SubControlRect(const TSkinPaintContext& context,
                                                           QStyle::ComplexControl control,
                                                           const QStyleOptionComplex& option,
                                                           QStyle::SubControl part,
                                                           const QWidget* widget) const
{
    const QStyleOptionSlider* bar = SkinnedBar(context, control, option);
    if (!bar)
        return std::nullopt;
    return Layout(context, *bar, widget).Part(part);
}

std::optional<QStyle::SubControl> TSkinScrollBarPainter::HitTest(const TSkinPaintContext& context,
                                                                 QStyle::ComplexControl control,
                                                                 const QStyleOptionComplex& option,
                                                                 QPoint point, const QWidget* widget) const
{
    const QStyleOptionSlider* bar = SkinnedBar(context, control, option);
    if (!bar)
        return std::nullopt;
    return Layout(context, *bar, widget).PartAt(point);
}

const TSkinPainter& ScrollBarPainter()
{
    static const TSkinScrollBarPainter painter;
    return painter;
}
