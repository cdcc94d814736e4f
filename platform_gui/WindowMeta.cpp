#include "platform_gui/WindowMeta.h"

#include <QDialog>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

constexpr const char* MetaProperty = "WindowMeta";

bool FixedSize(const QWidget* window)
{
    return window->minimumSize() == window->maximumSize();
}

} // namespace

WindowMeta GetWindowMeta(const QWidget* window)
{
    const QVariant stored = window->property(MetaProperty);
    if (stored.isValid()) {
        const int bits = stored.toInt();
        return {static_cast<BorderStyle>(bits & 0xFF), (bits & 0x100) != 0, (bits & 0x200) != 0,
                (bits & 0x400) != 0};
    }
    const Qt::WindowFlags flags = window->windowFlags();
    const Qt::WindowType type = window->windowType();
    const bool dialog = type == Qt::Dialog || type == Qt::Sheet || qobject_cast<const QDialog*>(window);
    WindowMeta meta;
    if (flags.testFlag(Qt::FramelessWindowHint))
        meta.Border = BorderStyle::None;
    else if (type == Qt::Tool)
        meta.Border = FixedSize(window) ? BorderStyle::ToolWindow : BorderStyle::SizeToolWin;
    else if (dialog)
        meta.Border = BorderStyle::Dialog;
    else if (FixedSize(window))
        meta.Border = BorderStyle::Single;
    // Without CustomizeWindowHint the window system gives every window its menu and close box, and
    // plain windows their minimise and maximise boxes too.
    if (flags.testFlag(Qt::CustomizeWindowHint)) {
        meta.SystemMenu =
            flags.testFlag(Qt::WindowSystemMenuHint) || flags.testFlag(Qt::WindowCloseButtonHint);
        meta.MinimizeBox = flags.testFlag(Qt::WindowMinimizeButtonHint);
        meta.MaximizeBox = flags.testFlag(Qt::WindowMaximizeButtonHint);
    } else {
        // (Qt then sets every title-bar hint itself, so the bits say nothing.)
        const bool plain = !dialog && type != Qt::Tool;
        meta.MinimizeBox = plain;
        meta.MaximizeBox = plain && !FixedSize(window);
    }
    return meta;
}

void SetWindowMeta(QWidget* window, const WindowMeta& meta)
{
    const int bits = static_cast<int>(meta.Border) | (meta.SystemMenu ? 0x100 : 0) |
                     (meta.MinimizeBox ? 0x200 : 0) | (meta.MaximizeBox ? 0x400 : 0);
    window->setProperty(MetaProperty, bits);
}

} // namespace platform
