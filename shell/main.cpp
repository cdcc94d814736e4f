// Sonvela Zodu: the station program.
#include "controls/LXApplication.h"
#include "platform_gui/Application.h"
#include "shell/Station.h"
#include "shell/TestRecord.h"

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    ControlLibrary controlLibrary;
    StartTestRecord();
    return RunStation();
}
