#include "skin/TrackBarPainter.h"

#include "skin/ControlRings.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace {

class TSkinTrackBarPainter : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

void DrawChannel(QPainter& painter, const QRect& groove, const TSkinDescription& skin, bool vertical)
{
    if (vertical && !skin.TrackVert.Image.isNull())
        DrawSkinVBar(painter, groove, skin.TrackVert.Image, false, 1, 1, skin.TrackVert.Edges());
    else
        DrawSkinHBar(painter, groove, skin.Track.Image, false, 1, 1, skin.Track.Edges());
}

// Cell 2 of the thumb image whatever the slider's state; a white box outlined in the button shadow
// colour without one.
void DrawThumb(QPainter& painter, const QRect& handle, const TSkinDescription& skin, bool vertical)
{
    const std::optional<TDataSkinObject>& thumb =
        vertical && skin.TrackbarThumbVert ? skin.TrackbarThumbVert : skin.TrackbarThumbHorz;
    if (thumb && !thumb->Image.isNull()) {
        DrawSkinCell(painter, handle, thumb->Image, true, thumb->Frames, 2);
        return;
    }
    painter.fillRect(handle, Qt::white);
    DrawRings(painter, handle, {platform::ToQColor(skin.Colours.ButtonShadow)});
}

} // namespace

bool TSkinTrackBarPainter::DrawComplexControl(const TSkinPaintContext& context,
                                              QStyle::ComplexControl control,
                                              const QStyleOptionComplex& option, QPainter& painter,
                                              const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(&option);
    if (control != QStyle::CC_Slider || !slider)
        return false;
    const bool vertical = slider->orientation == Qt::Vertical;
    if (slider->subControls & QStyle::SC_SliderGroove)
        DrawChannel(painter, context.Base.subControlRect(control, slider, QStyle::SC_SliderGroove, widget),
                    context.Skin, vertical);
    if (slider->subControls & QStyle::SC_SliderTickmarks) {
        QStyleOptionSlider ticks = *slider;
        ticks.subControls = QStyle::SC_SliderTickmarks;
        context.Base.drawComplexControl(control, &ticks, &painter, widget);
    }
    if (slider->subControls & QStyle::SC_SliderHandle)
        DrawThumb(painter, context.Base.subControlRect(control, slider, QStyle::SC_SliderHandle, widget),
                  context.Skin, vertical);
    return true;
}

const TSkinPainter& TrackBarPainter()
{
    static const TSkinTrackBarPainter painter;
    return painter;
}
