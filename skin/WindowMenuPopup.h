#pragma once
// The engine window menu: the window-menu model shown through the program's own popup-menu library,
// with the caption glyphs, each command run on the window once chosen.
#include "platform_gui/WindowMenu.h"

#include <QPoint>
#include <QPointer>

#include <vector>

class QWidget;
class TPMPopupMenu;

// Shows the items at the global point and returns once the menu has closed; the chosen command runs
// afterwards from the event loop. menu is the window's own menu, made on first use and kept, so a
// queued command still finds its entry.
void ShowWindowMenu(QWidget* window, const std::vector<platform::WindowMenuItem>& items, QPoint point,
                    QPointer<TPMPopupMenu>& menu);
