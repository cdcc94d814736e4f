#pragma once
// A window's window menu (the system menu of the original platform): the standard commands, enabled by
// the window's state and border icons, then the commands the application added to it. X11 has no such
// menu to extend, so the program shows this model itself; SysCommand runs one of its commands.
#include "platform_gui/WindowMeta.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace platform {

struct WindowMenuItem {
    unsigned Id = 0; // 0: a separator
    QString Text;
    QString ShortCut;
    bool Enabled = true;
    // The caption glyph: 0 restore, 1 maximise, 2 minimise, 3 close; -1 none.
    int Glyph = -1;
};

// Appends an application command to the window's menu; it lives as long as the window.
void AddWindowMenuItem(QWidget* window, unsigned id, const QString& text, std::function<void()> command);

// The menu as the window's state and border icons make it now.
std::vector<WindowMenuItem> WindowMenuItems(const QWidget* window, const WindowMeta& meta);

// Runs the command: restore, maximise, minimise, close, move and size act on the window; any other id
// runs the application command added under it, if any.
void SysCommand(QWidget* window, unsigned id);

} // namespace platform
