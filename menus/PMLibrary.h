#pragma once
// The menu library's globals: the menu font, the modal loop's last mouse position, the windows that
// show menu views (for "the control under the point"), and the help hook.
#include "platform_gui/Font.h"

#include <QPoint>

#include <climits>
#include <functional>

class QWidget;

// The desktop's menu font, made on first use once the application exists and freed before it goes.
const platform::TFont& MenuFont();

// The modal loop's last mouse position in screen coordinates. A view that releases its capture sets
// its x to NoMousePosition, so the loop refreshes hint and cursor at its next chance.
constexpr int NoMousePosition = INT_MIN;
QPoint& LastMousePos();

// Windows showing menu views, in the order they were opened.
void RegisterMenuWindow(QWidget* window);
void UnregisterMenuWindow(QWidget* window);
// The visible menu window at the screen point, disabled ones included, the innermost open menu
// first; none for a point over anything else. The window system is never asked.
QWidget* MenuWindowAt(const QPoint& screenPoint);

// Help for a context, asked by a menu's help close action; helpButton is whether the active window
// shows a help button (then the help appears as a context popup). Nothing by default.
std::function<void(int context, bool helpButton)>& MenuHelpHook();
