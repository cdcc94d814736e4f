// Sonvela Zodu: the station program.
#include "controls/LXApplication.h"
#include "platform_gui/Application.h"
#include "shell/Station.h"
#include "shell/TestRecord.h"

int main(int argc, char** argv)
{
    // Menus are placed on the screen and own the pointer, and the emergency key is grabbed: X11 does
    // that (XWayland on a Wayland desktop). A chosen platform is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    platform::Application app(argc, argv);
    ControlLibrary controlLibrary;
    StartTestRecord();
    return RunStation();
}
