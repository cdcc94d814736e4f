#include "skin/TabPainter.h"

#include "platform_gui/PageControl.h"
#include "skin/SkinControlDraw.h"
#include "skin/UpDownPainter.h"
#include "skin/core/ImgUtil.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionToolButton>
#include <QTabBar>
#include <QTabWidget>

#include <optional>

namespace {

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

enum class TabSide { Top, Bottom, Left, Right };

TabSide SideOf(QTabBar::Shape shape)
{
    // The rounded and triangular shapes come in the same order of sides.
    constexpr TabSide sides[] = {TabSide::Top, TabSide::Bottom, TabSide::Left, TabSide::Right};
    return sides[static_cast<int>(shape) % 4];
}

TabSide SideOf(platform::TTabPosition position)
{
    switch (position) {
    case platform::TTabPosition::tpBottom:
        return TabSide::Bottom;
    case platform::TTabPosition::tpLeft:
        return TabSide::Left;
    case platform::TTabPosition::tpRight:
        return TabSide::Right;
    case platform::TTabPosition::tpTop:
        break;
    }
    return TabSide::Top;
}

bool Vertical(TabSide side)
{
    return side == TabSide::Left || side == TabSide::Right;
}

// The pane image as the side needs it: upside down at the bottom, turned a quarter at the sides.
QImage TurnedForSide(QImage image, TabSide side)
{
    switch (side) {
    case TabSide::Bottom:
        FlipBitmap(image);
        break;
    case TabSide::Left:
        RotateBitmapLeft(image);
        break;
    case TabSide::Right:
        RotateBitmapRight(image);
        break;
    case TabSide::Top:
        break;
    }
    return image;
}

// The painter turned so that a tab drawn lying as at the top, in a rectangle of the tab's size with
// width and height exchanged, lands on the side's tab.
void TurnPainter(QPainter& painter, TabSide side, const QRect& tab)
{
    if (side == TabSide::Left) {
        painter.translate(tab.left(), tab.top() + tab.height());
        painter.rotate(-90);
    } else {
        painter.translate(tab.left() + tab.width(), tab.top());
        painter.rotate(90);
    }
}

struct TabLabel {
    QString text;
    QPixmap icon;
    bool enabled = true;
};

void DrawLabel(const TSkinPaintContext& context, QPainter& painter, const QRect& rect, bool current,
               const TabLabel& label)
{
    const TDataSkinBorder& tabs = *context.Skin.Tabs;
    painter.save();
    painter.setPen(platform::ToQColor(current ? tabs.MouseOverColour2 : tabs.NormalColour2));
    DrawImageText(painter, rect, TImageTextPlacement::Centre, label.text, label.icon, label.enabled);
    painter.restore();
}

// One tab: its cell (2 for the current tab) as a frame, then its label. Top tabs sit one pixel lower.
// At the sides the cell is drawn lying and turned; so is the label when turnLabel is set (the tab bar
// lays its side tabs out for turned text), else it stays level.
void PaintTab(const TSkinPaintContext& context, TabSide side, QRect rect, bool current, bool shape,
              const TabLabel* label, bool turnLabel, QPainter& painter)
{
    const TDataSkinBorder& tabs = *context.Skin.Tabs;
    const int cell = current ? 2 : 1;
    if (side == TabSide::Top)
        rect.translate(0, 1);
    if (!Vertical(side)) {
        if (shape)
            DrawSkinFrame(painter, rect, TurnedForSide(tabs.Image, side), false, tabs.Tile == 1,
                          tabs.Trans == 1, tabs.Frames, cell, tabs.Edges());
        if (label)
            DrawLabel(context, painter, rect, current, *label);
        return;
    }
    const QRect lying(0, 0, rect.height(), rect.width());
    if (shape) {
        QImage buffer(lying.size(), QImage::Format_ARGB32_Premultiplied);
        buffer.fill(Qt::transparent);
        {
            QPainter bufferPainter(&buffer);
            DrawSkinFrame(bufferPainter, lying, tabs.Image, false, tabs.Tile == 1, tabs.Trans == 1,
                          tabs.Frames, cell, tabs.Edges());
        }
        painter.drawImage(rect.topLeft(), TurnedForSide(buffer, side));
    }
    if (label && turnLabel) {
        painter.save();
        TurnPainter(painter, side, rect);
        DrawLabel(context, painter, lying, current, *label);
        painter.restore();
    } else if (label) {
        DrawLabel(context, painter, rect, current, *label);
    }
}

// The pane image and its edges: the Tabs border image with edges 4, 5, 4, 4 under Style 0, Tab.Pane
// with its own under Style 1; none otherwise.
std::pair<QImage, QMargins> PaneImage(const TSkinDescription& skin)
{
    const TDataSkinBorder& tabs = *skin.Tabs;
    if (tabs.Style == 0)
        return {tabs.Image2, QMargins(4, 5, 4, 4)};
    if (tabs.Style == 1 && skin.TabPane)
        return {skin.TabPane->Image, skin.TabPane->Edges()};
    return {};
}

// The pane's edges round the page area, whose side toward the tabs gives up one pixel to them.
bool PaintPane(const TSkinPaintContext& context, TabSide side, QRect area, QPainter& painter)
{
    const auto [image, edges] = PaneImage(context.Skin);
    if (image.isNull())
        return false;
    switch (side) {
    case TabSide::Top:
        area.setTop(area.top() + 1);
        break;
    case TabSide::Bottom:
        area.setBottom(area.bottom() - 1);
        break;
    case TabSide::Left:
        area.setLeft(area.left() + 1);
        break;
    case TabSide::Right:
        area.setRight(area.right() - 1);
        break;
    }
    DrawSkinFrameEdges(painter, area, TurnedForSide(image, side), false, 1, 1, edges);
    return true;
}

// The part of the control between its tab side and the pane.
QRect StripBeside(const QRect& control, const QRect& pane, TabSide side)
{
    switch (side) {
    case TabSide::Bottom:
        return QRect(QPoint(control.left(), pane.bottom() + 1), control.bottomRight());
    case TabSide::Left:
        return QRect(control.topLeft(), QPoint(pane.left() - 1, control.bottom()));
    case TabSide::Right:
        return QRect(QPoint(pane.right() + 1, control.top()), control.bottomRight());
    case TabSide::Top:
        break;
    }
    return QRect(control.topLeft(), QPoint(control.right(), pane.top() - 1));
}

} // namespace

bool TTabPainter::DrawPrimitive(const TSkinPaintContext& context, QStyle::PrimitiveElement element,
                                const QStyleOption& option, QPainter& painter, const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(&option);
    if (element != QStyle::PE_FrameTabWidget || !frame || !context.Skin.Tabs)
        return false;
    const TabSide side = SideOf(frame->shape);
    if (widget)
        painter.fillRect(StripBeside(widget->rect(), option.rect, side), context.Face());
    if (!PaintPane(context, side, option.rect, painter))
        context.Base.drawPrimitive(element, &option, &painter, widget);
    return true;
}

bool TTabPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                              const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(&option);
    if (!tab || !context.Skin.Tabs)
        return false;
    const bool shape = element == QStyle::CE_TabBarTab || element == QStyle::CE_TabBarTabShape;
    const bool withLabel = element == QStyle::CE_TabBarTab || element == QStyle::CE_TabBarTabLabel;
    if (!shape && !withLabel)
        return false;
    const bool enabled = option.state & QStyle::State_Enabled;
    TabLabel label{tab->text, {}, enabled};
    if (!tab->icon.isNull())
        label.icon = tab->icon.pixmap(tab->iconSize, enabled ? QIcon::Normal : QIcon::Disabled);
    PaintTab(context, SideOf(tab->shape), option.rect, option.state & QStyle::State_Selected, shape,
             withLabel ? &label : nullptr, true, painter);
    return true;
}

bool TTabPainter::DrawComplexControl(const TSkinPaintContext& context, QStyle::ComplexControl control,
                                     const QStyleOptionComplex& option, QPainter& painter,
                                     const QWidget*) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(&option);
    if (control != QStyle::CC_ToolButton || !button)
        return false;
    std::optional<TUpDownArrow> arrow;
    switch (button->arrowType) {
    case Qt::LeftArrow:
        arrow = TUpDownArrow::Left;
        break;
    case Qt::RightArrow:
        arrow = TUpDownArrow::Right;
        break;
    case Qt::UpArrow:
        arrow = TUpDownArrow::Up;
        break;
    case Qt::DownArrow:
        arrow = TUpDownArrow::Down;
        break;
    case Qt::NoArrow:
        break;
    }
    const bool vertical = arrow == TUpDownArrow::Up || arrow == TUpDownArrow::Down;
    if (!arrow || !(vertical ? context.Skin.UpDownVert : context.Skin.UpDownHorz))
        return false;
    const int state = !(option.state & QStyle::State_Enabled) ? 3
                      : (option.state & QStyle::State_Sunken) ? 2
                                                              : 1;
    DrawUpDownHalf(painter, option.rect, context.Skin, *arrow, state);
    return true;
}

bool TTabPainter::PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const
{
    auto* pages = qobject_cast<platform::TPageControl*>(&widget);
    if (!pages || !context.Skin.Tabs)
        return false;
    const TabSide side = SideOf(pages->TabPosition());
    const QRect strip = pages->TabStripRect();
    QRect area = widget.rect();
    switch (side) {
    case TabSide::Top:
        area.setTop(strip.bottom() + 1);
        break;
    case TabSide::Bottom:
        area.setBottom(strip.top() - 1);
        break;
    case TabSide::Left:
        area.setLeft(strip.right() + 1);
        break;
    case TabSide::Right:
        area.setRight(strip.left() - 1);
        break;
    }
    painter.setFont(widget.font());
    painter.fillRect(strip, context.Face());
    PaintPane(context, side, area, painter);
    painter.save();
    painter.setClipRect(strip);
    const QList<QRect> tabs = pages->TabRects();
    for (int i = 0; i < tabs.size(); ++i) {
        const TabLabel label{pages->Page(i)->windowTitle(), {}, widget.isEnabled()};
        PaintTab(context, side, tabs[i], i == pages->ActivePageIndex(), true, &label, false, painter);
    }
    painter.restore();
    return true;
}

bool TTabSheetPainter::PaintWidget(const TSkinPaintContext& context, QWidget& widget, QPainter& painter) const
{
    painter.fillRect(widget.rect(), context.Face());
    return true;
}

const TSkinPainter& TabPainter()
{
    static const TTabPainter painter;
    return painter;
}

const TSkinPainter& TabSheetPainter()
{
    static const TTabSheetPainter painter;
    return painter;
}
