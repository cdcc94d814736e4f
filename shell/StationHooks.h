#pragma once
// What start-up and shut-down ask of the machine: other running copies and the audio library. The
// program uses the real services; a test puts fakes in place (and the defaults back) to run the whole
// life of the station in its own process.
#include <functional>

struct StationHooks {
    // Running processes of this program's executable, this one included.
    std::function<int()> CountInstances;
    std::function<bool()> CheckMediaLibrary;
    std::function<void()> FreeMedia;
};

StationHooks& Hooks();
// The real services again.
void ResetHooks();
