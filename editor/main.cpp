// Varnello: the combinations editor beside the station program.
#include "controls/LXApplication.h"
#include "editor/Varnello.h"
#include "platform_gui/Application.h"
#include "shell/TestRecord.h"

int main(int argc, char** argv)
{
    // The same display road as the station's: X11 (XWayland on a Wayland desktop). A chosen platform is
    // kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    platform::Application app(argc, argv);
    ControlLibrary controlLibrary;
    StartTestRecord();
    return RunVarnello();
}
