#include "shell/StationHooks.h"

#include "platform/Process.h"
#include "playout/MediaSetup.h"

#include <QCoreApplication>

namespace {

StationHooks RealHooks()
{
    StationHooks hooks;
    hooks.CountInstances = [] {
        return platform::CountRunningInstances(QCoreApplication::applicationFilePath());
    };
    hooks.CheckMediaLibrary = [] { return ::CheckMediaLibrary(); };
    hooks.FreeMedia = [] { ::FreeMedia(); };
    return hooks;
}

StationHooks hooks = RealHooks();

} // namespace

StationHooks& Hooks()
{
    return hooks;
}

void ResetHooks()
{
    hooks = RealHooks();
}
