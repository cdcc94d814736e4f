#pragma once
// What the original toolkit said about a top-level window's frame: its border style and which border
// icons it shows. Qt has no such property: it is derived from the window flags, and a window that needs
// another answer says so explicitly. The skin engine reads it to choose the frame it paints.
class QWidget;

namespace platform {

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

struct WindowMeta {
    BorderStyle Border = BorderStyle::Sizeable;
    bool SystemMenu = true;
    bool MinimizeBox = true;
    bool MaximizeBox = true;
    friend bool operator==(const WindowMeta&, const WindowMeta&) = default;
};

// The window's explicit record when it set one, else what its flags, type and size constraints say:
// frameless is no border, a tool window a tool border, a dialog (message boxes too) a dialog border, a
// fixed size a single border, anything else sizeable; the icons are the title-bar hints it carries.
WindowMeta GetWindowMeta(const QWidget* window);

// Gives the window an explicit record, which GetWindowMeta answers from then on.
void SetWindowMeta(QWidget* window, const WindowMeta& meta);

// Sizeable and size-tool borders can be dragged to resize.
inline bool IsSizeable(BorderStyle border)
{
    return border == BorderStyle::Sizeable || border == BorderStyle::SizeToolWin;
}

} // namespace platform
