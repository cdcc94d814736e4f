#include "skin/SkinStyle.h"

#include "skin/ControlDiscovery.h"
#include "skin/SkinBinding.h"
#include "skin/SkinMenus.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <optional>

namespace {

// Asks the painter of the widget's binding; nothing when the widget is not bound (or as
// AskBindingPainter).
template <typename Result, typename Call>
std::optional<Result> AskPainter(const QWidget* widget, const QStyle& base, Call call)
{
    const TSkinBinding* binding = widget ? SkinBindings().Find(widget) : nullptr;
    if (!binding)
        return std::nullopt;
    return AskBindingPainter<Result>(*binding, base, call);
}

bool Painted(const std::optional<bool>& answer)
{
    return answer.value_or(false);
}

// The menus' own drawing, with its errors kept from the event loop as the painters' are.
template <typename Call> bool MenuPainted(const QWidget* widget, Call call)
{
    const std::optional<TMenuSkin> skin = MenuSkinOf(widget);
    if (!skin)
        return false;
    try {
        return call(*skin);
    } catch (...) {
        return false;
    }
}

bool MenuElement(QStyle::ControlElement element)
{
    return element == QStyle::CE_MenuBarEmptyArea || element == QStyle::CE_MenuBarItem ||
           element == QStyle::CE_MenuItem || element == QStyle::CE_MenuEmptyArea;
}

} // namespace

SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (option && painter) {
        if ((element == PE_PanelMenu || element == PE_FrameMenu) &&
            MenuPainted(widget, [&](const TMenuSkin& skin) {
                return DrawMenuPrimitive(skin, element, *option, *painter, widget);
            }))
            return;
        if (Painted(AskPainter<bool>(widget, *baseStyle(),
                                     [&](const TSkinPainter& p, const TSkinPaintContext& c) {
                                         return p.DrawPrimitive(c, element, *option, *painter, widget);
                                     })))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (option && painter) {
        if (MenuElement(element) && MenuPainted(widget, [&](const TMenuSkin& skin) {
                return DrawMenuControl(skin, element, *option, *painter, widget, *baseStyle());
            }))
            return;
        if (Painted(AskPainter<bool>(widget, *baseStyle(),
                                     [&](const TSkinPainter& p, const TSkinPaintContext& c) {
                                         return p.DrawControl(c, element, *option, *painter, widget);
                                     })))
            return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const
{
    if (option && painter &&
        Painted(
            AskPainter<bool>(widget, *baseStyle(), [&](const TSkinPainter& p, const TSkinPaintContext& c) {
                return p.DrawComplexControl(c, control, *option, *painter, widget);
            })))
        return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect SkinStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                const QWidget* widget) const
{
    if (option)
        if (const std::optional<std::optional<QRect>> rect = AskPainter<std::optional<QRect>>(
                widget, *baseStyle(),
                [&](const TSkinPainter& p, const TSkinPaintContext& c) {
                    return p.SubControlRect(c, control, *option, sub, widget);
                });
            rect && *rect)
            return **rect;
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

QStyle::SubControl SkinStyle::hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                                    const QPoint& point, const QWidget* widget) const
{
    if (option)
        if (const std::optional<std::optional<SubControl>> hit = AskPainter<std::optional<SubControl>>(
                widget, *baseStyle(),
                [&](const TSkinPainter& p, const TSkinPaintContext& c) {
                    return p.HitTest(c, control, *option, point, widget);
                });
            hit && *hit)
            return **hit;
    return QProxyStyle::hitTestComplexControl(control, option, point, widget);
}

QSize SkinStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                                  const QWidget* widget) const
{
    if (option && (type == CT_MenuItem || type == CT_MenuBarItem))
        if (const std::optional<TMenuSkin> skin = MenuSkinOf(widget))
            if (const std::optional<QSize> size =
                    MenuContentsSize(*skin, type, *option, contents, widget, *baseStyle()))
                return *size;
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_MenuPanelWidth || metric == PM_MenuBarHMargin)
        if (const std::optional<TMenuSkin> skin = MenuSkinOf(widget))
            if (const std::optional<int> value = MenuMetric(*skin, metric, widget, *baseStyle()))
                return *value;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void SkinStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (!widget)
        return;
    DiscoverLateControl(*widget);
    // The base style's polish may have switched hover tracking off again.
    if (SkinBindings().Find(widget))
        widget->setAttribute(Qt::WA_Hover);
}

void InstallSkinStyle()
{
    if (!qobject_cast<SkinStyle*>(QApplication::style()))
        QApplication::setStyle(new SkinStyle);
}
