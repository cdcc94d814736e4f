// The toolkit's own X display, asked of the toolkit rather than guessed from the environment.
#include "platform_gui/KeyboardHook.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace platform {

QString ToolkitDisplayName()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return {};
    return QString::fromLocal8Bit(DisplayString(x11->display()));
}

} // namespace platform
