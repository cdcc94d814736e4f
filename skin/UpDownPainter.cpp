#include "skin/UpDownPainter.h"

#include "platform_gui/LineSteps.h"
#include "skin/ControlRings.h"
#include "skin/EditPainter.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <span>
#include <utility>

namespace {

class TSkinUpDownPainter : public TSkinPainter {
public:
    bool DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                            const QStyleOptionComplex& option, QPainter& painter,
                            const QWidget* widget) const override;
};

// A line from `from` to `to`, the last point left out, one pixel wide.
void PixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& colour)
{
    platform::StepLine({from.x(), from.y()}, {to.x(), to.y()},
                       [&](int x, int y) { painter.fillRect(x, y, 1, 1, colour); });
}

struct Segment {
    QPoint from;
    QPoint to;
};

// The arrows of the plain halves, relative to their point.
constexpr Segment UpArrow[] = {{{0, 0}, {0, -1}},  {{1, 1}, {4, 4}},  {{0, 1}, {3, 4}}, {{0, 2}, {2, 4}},
                               {{-1, 1}, {-4, 4}}, {{0, 2}, {-3, 4}}, {{0, 1}, {-2, 4}}};
constexpr Segment DownArrow[] = {{{0, 3}, {0, 4}},    {{1, 2}, {4, -1}},  {{0, 2}, {3, -1}}, {{0, 1}, {2, 0}},
                                 {{-1, 2}, {-4, -1}}, {{0, 2}, {-3, -1}}, {{0, 1}, {-2, 0}}};
// The side arrows are one line through their points.
constexpr Segment LeftArrow[] = {{{0, 0}, {1, 2}}, {{1, 2}, {1, -2}}, {{1, -2}, {-1, 0}}, {{-1, 0}, {1, 2}}};
constexpr Segment RightArrow[] = {
    {{0, 0}, {-1, 2}}, {{-1, 2}, {-1, -2}}, {{-1, -2}, {1, 0}}, {{1, 0}, {-1, 2}}};

std::span<const Segment> ArrowSegments(TUpDownArrow arrow)
{
    switch (arrow) {
    case TUpDownArrow::Up:
        return UpArrow;
    case TUpDownArrow::Down:
        return DownArrow;
    case TUpDownArrow::Left:
        return LeftArrow;
    case TUpDownArrow::Right:
        return RightArrow;
    }
    return {};
}

bool IsVertical(TUpDownArrow arrow)
{
    return arrow == TUpDownArrow::Up || arrow == TUpDownArrow::Down;
}

// Without the skin's object: a dark-outlined face (shadow-coloured while pressed) and a drawn arrow.
void DrawPlainHalf(QPainter& painter, const QRect& rect, const TSkinDescription& skin, TUpDownArrow arrow,
                   int state)
{
    const QColor dark = platform::ToQColor(skin.Colours.ButtonDkShadow);
    const bool down = state == 2 || state == 4;
    painter.fillRect(rect, platform::ToQColor(down ? skin.Colours.ButtonShadow : skin.Colours.ButtonFace));
    DrawRings(painter, rect, {dark});
    QPoint centre(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2);
    if (IsVertical(arrow))
        centre.ry() -= 2;
    for (const Segment& segment : ArrowSegments(arrow))
        PixelLine(painter, centre + segment.from, centre + segment.to, dark);
}

// The half under the mouse shows pressed while the button is down; a disabled control shows both
// halves disabled.
int HalfState(const QStyleOptionSpinBox& option, QStyle::SubControl half)
{
    if (!(option.state & QStyle::State_Enabled))
        return 3;
    return (option.state & QStyle::State_Sunken) && (option.activeSubControls & half) ? 2 : 1;
}

// The halves stay out of the skinned edit frame's three pixels at the top, right and bottom.
QRect OutOfFrame(QRect half, const QRect& control)
{
    half.setTop(std::max(half.top(), control.top() + 3));
    half.setBottom(std::min(half.bottom(), control.bottom() - 3));
    half.setRight(std::min(half.right(), control.right() - 3));
    return half;
}

} // namespace

void DrawUpDownHalf(QPainter& painter, const QRect& rect, const TSkinDescription& skin, TUpDownArrow arrow,
                    int state)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const std::optional<TDataSkinBorder>& object = IsVertical(arrow) ? skin.UpDownVert : skin.UpDownHorz;
    if (!object || object->Image.isNull()) {
        DrawPlainHalf(painter, rect, skin, arrow, state);
        return;
    }
    const bool second = arrow == TUpDownArrow::Down || arrow == TUpDownArrow::Right;
    const int cell = state + (second ? 4 : 0);
    painter.fillRect(rect, platform::ToQColor(skin.Colours.ButtonFace));
    DrawSkinCell(painter, rect, object->Image, true, object->Frames, cell);
    if (!object->Image2.isNull())
        DrawSkinCellCentered(painter, rect, object->Image2, true, object->Frames, cell);
}

bool TSkinUpDownPainter::DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                            const QStyleOptionComplex& option, QPainter& painter,
                                            const QWidget* widget) const
{
    const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(&option);
    if (control != QStyle::CC_SpinBox || !spin)
        return false;
    painter.fillRect(option.rect, option.palette.base());
    if (spin->frame)
        DrawEditFrame(painter, option.rect, context.Skin);
    if (spin->buttonSymbols == QAbstractSpinBox::NoButtons)
        return true;
    for (const auto& [half, arrow] : {std::pair{QStyle::SC_SpinBoxUp, TUpDownArrow::Up},
                                      std::pair{QStyle::SC_SpinBoxDown, TUpDownArrow::Down}}) {
        QRect rect = context.Base.subControlRect(QStyle::CC_SpinBox, spin, half, widget);
        if (spin->frame)
            rect = OutOfFrame(rect, option.rect);
        DrawUpDownHalf(painter, rect, context.Skin, arrow, HalfState(*spin, half));
    }
    return true;
}

const TSkinPainter& UpDownPainter()
{
    static const TSkinUpDownPainter painter;
    return painter;
}
