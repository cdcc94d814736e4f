#pragma once
// The menus of skinned windows in the skin's look: the menu bar from the MenuBar object, the items from
// the MenuItem object (plain colours without one) and the menu panels from MenuBackground, of which
// only a fixed 3-pixel band frames the menu. Qt keeps the tracking: sliding from item to item,
// Left and Right wrapping round the bar, Alt and a letter.
#include <QSize>
#include <QStyle>

#include <optional>

class QPainter;
class QStyleOption;
class QWidget;
class TSkinData;
class TWndSkinForm;

struct TMenuSkin {
    const TSkinData& Data;
    const TWndSkinForm& Skinner;
};

// The skin a menu bar or menu is drawn with: the bar with xcMainMenu, its menus with xcMainMenu or
// xcMenuItem, other menus of a skinned window with xcPopupMenu; none for a menu (or a menu it opens
// from) whose Tag is the DisableTag.
std::optional<TMenuSkin> MenuSkinOf(const QWidget* widget);

// Each answers false (or nothing) where the base style draws or measures.
bool DrawMenuControl(const TMenuSkin& skin, QStyle::ControlElement element, const QStyleOption& option,
                     QPainter& painter, const QWidget* widget, const QStyle& base);
bool DrawMenuPrimitive(const TMenuSkin& skin, QStyle::PrimitiveElement element, const QStyleOption& option,
                       QPainter& painter, const QWidget* widget);
std::optional<QSize> MenuContentsSize(const TMenuSkin& skin, QStyle::ContentsType type,
                                      const QStyleOption& option, QSize contents, const QWidget* widget,
                                      const QStyle& base);
std::optional<int> MenuMetric(const TMenuSkin& skin, QStyle::PixelMetric metric, const QWidget* widget,
                              const QStyle& base);

// The menu bars and menus of the window measure themselves again (the skin came, changed or went).
void RestyleMenus(QWidget* window);
// The bars of the window repaint (their cell follows the window's activation).
void RepaintMenuBars(QWidget* window);
