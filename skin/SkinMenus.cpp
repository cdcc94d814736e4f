#include "skin/SkinMenus.h"

#include "platform_gui/Color.h"
#include "skin/SkinBinding.h"
#include "skin/SkinControlDraw.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"
#include "skin/core/SkinDraw.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

#include <vector>

namespace {

// The band of the menu background that frames a menu, whatever the image's edges.
constexpr int MenuBand = 3;
// The menu-item image: normal, separator, -, selected, -.
constexpr int ItemCells = 5;
constexpr int SelectedCell = 4;
constexpr int SeparatorCell = 2;
constexpr int GlyphBox = 16;

bool Tagged(const QWidget& widget, const TSkinData& data)
{
    return widget.property("Tag").toInt() == data.DisableTag;
}

const TDataSkinObject* Present(const std::optional<TDataSkinObject>& object)
{
    return object && !object->Image.isNull() ? &*object : nullptr;
}

// The whole MenuBackground image built at a menu's size: the panel, the band and the items' pieces
// are cut from it. Menus of one size share it until the skin's image changes.
QImage MenuFrameImage(const TDataSkinObject& background, QSize size)
{
    struct Entry {
        qint64 Key;
        QSize Size;
        QImage Image;
    };
    static std::vector<Entry> cache;
    const qint64 key = background.Image.cacheKey();
    for (const Entry& entry : cache)
        if (entry.Key == key && entry.Size == size)
            return entry.Image;
    QImage image =
        SkinFrameBitmap(size, background.Image, background.Edges(), false, background.Tile == 1, 1, 1);
    if (cache.size() >= 8)
        cache.erase(cache.begin());
    cache.push_back({key, size, image});
    return image;
}

// The menu's frame image when the skin has a MenuBackground and the widget is a menu.
std::optional<QImage> FrameImageOf(const TMenuSkin& skin, const QWidget* widget)
{
    const TDataSkinObject* background = Present(skin.Data.Description().MenuBackground);
    if (!background || !qobject_cast<const QMenu*>(widget))
        return std::nullopt;
    return MenuFrameImage(*background, widget->size());
}

void DrawBarBackground(const TMenuSkin& skin, QPainter& painter, const QRect& bar, const QWidget* widget)
{
    const TSkinDescription& description = skin.Data.Description();
    const TDataSkinObject* object = Present(description.MenuBar);
    if (!object) {
        painter.fillRect(bar, platform::ToQColor(description.Colours.Menubar));
        return;
    }
    const int cell = widget && widget->window()->isActiveWindow() ? 1 : 2;
    if (object->Tile == 1)
        DrawSkinFrame(painter, bar, object->Image, true, false, false, 2, cell, object->Edges());
    else
        DrawSkinStrip(painter, bar, object->Image, true, false, 2, cell, object->Edges());
}

QColor DisabledMenuText(const TSkinColours& colours)
{
    return platform::SameColor(colours.ButtonShadow, colours.MenuText)
               ? platform::ToQColor(platform::clBtnShadow)
               : platform::ToQColor(colours.ButtonShadow);
}

void DrawBarItem(const TMenuSkin& skin, const QStyleOptionMenuItem& option, QPainter& painter,
                 const QWidget* widget, const QStyle& base)
{
    const TSkinColours& colours = skin.Data.Description().Colours;
    painter.save();
    painter.setClipRect(option.rect);
    DrawBarBackground(skin, painter, widget ? widget->rect() : option.menuRect, widget);
    painter.restore();
    const bool enabled = option.state & QStyle::State_Enabled;
    if (enabled && (option.state & (QStyle::State_Selected | QStyle::State_Sunken))) {
        painter.setPen(platform::ToQColor(colours.ButtonHilight));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter.setPen(enabled ? platform::ToQColor(colours.MenuBarText)
                           : platform::ToQColor(platform::clBtnShadow));
    painter.drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine | MnemonicFlag(base, option, widget),
                     option.text);
}

// The glyph column, the caption, the shortcut and the submenu arrow of a menu item.
void DrawItemContent(const TMenuSkin& skin, const QStyleOptionMenuItem& option, QPainter& painter,
                     const QWidget* widget, const QStyle& base, int leftWidth)
{
    const TSkinColours& colours = skin.Data.Description().Colours;
    const QRect& item = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QRect box(item.left() + 1 + leftWidth, item.top() + (item.height() - GlyphBox) / 2, GlyphBox,
                    GlyphBox);
    if (!option.icon.isNull()) {
        if (option.checked) {
            painter.fillRect(box, platform::ToQColor(colours.ButtonFace));
            painter.fillRect(box, QBrush(platform::ToQColor(colours.ButtonHilight), Qt::Dense4Pattern));
            qDrawShadeRect(&painter, box.adjusted(-1, -1, 1, 1), option.palette, true);
        }
        const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
        painter.drawPixmap(box, option.icon.pixmap(box.size(), painter.device()->devicePixelRatio(), mode));
    } else if (option.checked) {
        QStyleOptionMenuItem mark = option;
        mark.rect = box;
        mark.state &= ~QStyle::State_Selected;
        mark.palette.setColor(QPalette::Text, platform::ToQColor(platform::clBtnText));
        mark.palette.setColor(QPalette::WindowText, platform::ToQColor(platform::clBtnText));
        mark.palette.setColor(QPalette::ButtonText, platform::ToQColor(platform::clBtnText));
        base.drawPrimitive(QStyle::PE_IndicatorMenuCheckMark, &mark, &painter, widget);
    }
    const QRect area(box.right() + 1 + 3, item.top(), item.right() - 1 - (box.right() + 3), item.height());
    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        // The etched line: shadow over light, 4 pixels into the area.
        const int y = area.top() + 4;
        painter.setPen(platform::ToQColor(colours.ButtonShadow));
        painter.drawLine(area.left(), y, area.right(), y);
        painter.setPen(platform::ToQColor(colours.ButtonHilight));
        painter.drawLine(area.left(), y + 1, area.right(), y + 1);
        return;
    }
    QString caption = option.text;
    QString shortcut;
    if (const qsizetype tab = caption.indexOf(u'\t'); tab >= 0) {
        shortcut = caption.mid(tab + 1);
        caption.truncate(tab);
    }
    QFont font = option.font;
    font.setBold(option.menuItemType == QStyleOptionMenuItem::DefaultItem);
    painter.setFont(font);
    QColor text = selected ? platform::ToQColor(colours.HilightText) : platform::ToQColor(colours.MenuText);
    if (!enabled)
        text = DisabledMenuText(colours);
    painter.setPen(text);
    const int flags =
        Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs | MnemonicFlag(base, option, widget);
    painter.drawText(area, flags | Qt::AlignLeft, caption);
    if (!shortcut.isEmpty())
        painter.drawText(QRect(area.left(), area.top(), item.right() - 10 - area.left() + 1, area.height()),
                         flags | Qt::AlignRight, shortcut);
    if (option.menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = option;
        arrow.rect = QRect(item.right() - 12, item.top(), 10, item.height());
        arrow.palette.setColor(QPalette::ButtonText, text);
        arrow.palette.setColor(QPalette::WindowText, text);
        base.drawPrimitive(QStyle::PE_IndicatorArrowRight, &arrow, &painter, widget);
    }
}

void DrawSeparatorImage(const TDataSkinObject& object, QPainter& painter, const QRect& item)
{
    const QRect cell = SkinCellRect(object.Image, false, ItemCells, SeparatorCell);
    const QImage strip = SkinFrameBitmap(QSize(item.width(), cell.height()), object.Image,
                                         QMargins(object.LeftWidth, 0, object.RightWidth, 0), false, false,
                                         ItemCells, SeparatorCell);
    // An image taller than the item stands on the item's bottom.
    const int top = cell.height() > item.height() ? item.bottom() + 1 - cell.height() : item.top();
    painter.save();
    painter.setClipRect(item);
    DrawTransparent(painter, QRect(QPoint(item.left(), top), strip.size()), strip);
    painter.restore();
}

void DrawMenuItem(const TMenuSkin& skin, const QStyleOptionMenuItem& option, QPainter& painter,
                  const QWidget* widget, const QStyle& base)
{
    const TSkinDescription& description = skin.Data.Description();
    const TDataSkinObject* object = Present(description.MenuItem);
    const bool selected = option.state & QStyle::State_Selected;
    const QRect& item = option.rect;
    if (!object) {
        painter.fillRect(item,
                         platform::ToQColor(selected && option.menuItemType != QStyleOptionMenuItem::Separator
                                                ? description.Colours.Hilight
                                                : description.Colours.Menu));
        DrawItemContent(skin, option, painter, widget, base, 0);
        return;
    }
    if (const std::optional<QImage> frame = FrameImageOf(skin, widget))
        painter.drawImage(item, *frame, item);
    else
        painter.fillRect(item, platform::ToQColor(description.Colours.Menu));
    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        DrawSeparatorImage(*object, painter, item);
        return;
    }
    DrawSkinFrame(painter, item, object->Image, false, object->Tile == 1, object->Trans == 1, ItemCells,
                  selected ? SelectedCell : 1, object->Edges());
    DrawItemContent(skin, option, painter, widget, base, object->LeftWidth);
}

// Where the bar's first item starts: after the MenuBar image's left edge, or 12 pixels in when the bar
// is narrower than that.
int BarStart(const TMenuSkin& skin, const QWidget* widget)
{
    const TDataSkinObject* object = Present(skin.Data.Description().MenuBar);
    const int start = object ? object->LeftWidth + 4 : 6;
    return widget && widget->width() < start ? 12 : start;
}

} // namespace

std::optional<TMenuSkin> MenuSkinOf(const QWidget* widget)
{
    if (!widget || !SkinManager)
        return std::nullopt;
    bool fromBar = false;
    const QWidget* owner = nullptr;
    if (qobject_cast<const QMenuBar*>(widget)) {
        owner = widget;
        fromBar = true;
    } else if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
        // Up through the menus that opened this one to the bar or window it belongs to.
        const QMenu* root = menu;
        for (auto* parent = qobject_cast<const QMenu*>(root->parentWidget()); parent;
             parent = qobject_cast<const QMenu*>(root->parentWidget()))
            root = parent;
        owner = root->parentWidget();
        for (QObject* user : root->menuAction()->associatedObjects())
            if (qobject_cast<QMenuBar*>(user)) {
                fromBar = true;
                owner = static_cast<QWidget*>(user);
            }
    }
    if (!owner)
        return std::nullopt;
    const TWndSkinForm* skinner = SkinManager->FindSkinner(owner->window());
    if (!SkinnerPaints(skinner))
        return std::nullopt;
    const TSkinData& data = *skinner->Data();
    const TSkinControlTypes controls = data.SkinControls;
    const bool gate = qobject_cast<const QMenuBar*>(widget) ? controls.testFlag(xcMainMenu)
                      : fromBar ? (controls.testFlag(xcMainMenu) || controls.testFlag(xcMenuItem))
                                : controls.testFlag(xcPopupMenu);
    if (!gate)
        return std::nullopt;
    for (const QWidget* menu = widget; menu && menu != owner->window(); menu = menu->parentWidget())
        if ((qobject_cast<const QMenu*>(menu) || qobject_cast<const QMenuBar*>(menu)) && Tagged(*menu, data))
            return std::nullopt;
    return TMenuSkin{data, *skinner};
}

bool DrawMenuControl(const TMenuSkin& skin, QStyle::ControlElement element, const QStyleOption& option,
                     QPainter& painter, const QWidget* widget, const QStyle& base)
{
    switch (element) {
    case QStyle::CE_MenuBarEmptyArea:
        DrawBarBackground(skin, painter, option.rect, widget);
        return true;
    case QStyle::CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(&option)) {
            DrawBarItem(skin, *item, painter, widget, base);
            return true;
        }
        return false;
    case QStyle::CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(&option)) {
            if (item->menuItemType == QStyleOptionMenuItem::Scroller ||
                item->menuItemType == QStyleOptionMenuItem::TearOff)
                return false;
            DrawMenuItem(skin, *item, painter, widget, base);
            return true;
        }
        return false;
    case QStyle::CE_MenuEmptyArea:
        // Without a background image the base style's panel stays, with the border it draws there.
        if (const std::optional<QImage> frame = FrameImageOf(skin, widget)) {
            painter.drawImage(option.rect, *frame, option.rect);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool DrawMenuPrimitive(const TMenuSkin& skin, QStyle::PrimitiveElement element, const QStyleOption& option,
                       QPainter& painter, const QWidget* widget)
{
    if (element != QStyle::PE_PanelMenu && element != QStyle::PE_FrameMenu)
        return false;
    const std::optional<QImage> frame = FrameImageOf(skin, widget);
    if (!frame)
        return false;
    const QRect all = widget->rect();
    if (element == QStyle::PE_PanelMenu) {
        painter.drawImage(option.rect, *frame, option.rect);
        return true;
    }
    // Only the band: the items lie on their own pieces of the same image.
    const QRegion band = QRegion(all).subtracted(all.adjusted(MenuBand, MenuBand, -MenuBand, -MenuBand));
    painter.save();
    painter.setClipRegion(band);
    painter.drawImage(all, *frame, all);
    painter.restore();
    return true;
}

std::optional<QSize> MenuContentsSize(const TMenuSkin& skin, QStyle::ContentsType type,
                                      const QStyleOption& option, QSize contents, const QWidget* widget,
                                      const QStyle& base)
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(&option);
    if (!item)
        return std::nullopt;
    QString caption = item->text.left(item->text.indexOf(u'\t'));
    caption.remove(u'&');
    // An empty caption, or one of "&" only, is measured as a space.
    if (caption.isEmpty() && item->menuItemType != QStyleOptionMenuItem::Separator)
        contents.rwidth() += QFontMetrics(item->font).horizontalAdvance(u' ');
    QSize size = base.sizeFromContents(type, &option, contents, widget);
    if (type == QStyle::CT_MenuBarItem) {
        // Each bar item also adds the bar's offset within its window, as the original bar did.
        const int offset = widget ? widget->mapTo(widget->window(), QPoint()).x() : 0;
        size.setWidth(contents.width() > 0 ? contents.width() + offset + 10 : 0);
        return size;
    }
    if (type != QStyle::CT_MenuItem)
        return std::nullopt;
    const TDataSkinObject* object = Present(skin.Data.Description().MenuItem);
    size.rwidth() += (object ? object->LeftWidth : 0) + 10 + (item->maxIconWidth == 0 ? 25 : 0);
    return size;
}

std::optional<int> MenuMetric(const TMenuSkin& skin, QStyle::PixelMetric metric, const QWidget* widget,
                              const QStyle& base)
{
    switch (metric) {
    case QStyle::PM_MenuPanelWidth:
        if (qobject_cast<const QMenu*>(widget) && Present(skin.Data.Description().MenuBackground))
            return MenuBand;
        return std::nullopt;
    case QStyle::PM_MenuBarHMargin:
        if (!qobject_cast<const QMenuBar*>(widget))
            return std::nullopt;
        return std::max(0, BarStart(skin, widget) -
                               base.pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, widget) -
                               base.pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, widget));
    default:
        return std::nullopt;
    }
}

void RestyleMenus(QWidget* window)
{
    if (!window)
        return;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(bar, &change);
        bar->update();
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(menu, &change);
    }
}

void RepaintMenuBars(QWidget* window)
{
    if (window)
        for (QMenuBar* bar : window->findChildren<QMenuBar*>())
            bar->update();
}
