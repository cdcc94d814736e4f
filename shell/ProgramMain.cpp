#include "shell/ProgramMain.h"

#include "controls/LXApplication.h"
#include "platform_gui/Application.h"
#include "platform_gui/DesktopSettings.h"
#include "shell/TestRecord.h"

int ProgramMain(int argc, char** argv, const std::function<int()>& run)
{
    // Menus are placed on the screen and own the pointer, and the emergency key is grabbed: X11 does
    // that (XWayland on a Wayland desktop). A chosen platform is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    platform::Application app(argc, argv);
    ControlLibrary controlLibrary;
    platform::ApplyDesktopMenuEffects();
    StartTestRecord();
    return run();
}
