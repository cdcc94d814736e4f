#include "shell/ProgramMain.h"

#include "controls/LXApplication.h"
#include "platform_gui/Application.h"
#include "platform_gui/DesktopSettings.h"
#include "shell/TestRecord.h"
#include "skin/SkinStyle.h"

int ProgramMain(int argc, char** argv, const std::function<int()>& run)
{
    // Menus are placed on the screen and own the pointer, and the emergency key is grabbed: X11 does
    // that (XWayland on a Wayland desktop). A chosen platform is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    platform::Application app(argc, argv);
    // Before the first window: every window is drawn through the skin style from the start.
    InstallSkinStyle();
    ControlLibrary controlLibrary;
    platform::ApplyDesktopMenuEffects();
    StartTestRecord();
    return run();
}
