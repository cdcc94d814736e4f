#include "playout/MediaSetup.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"

namespace {

constexpr uint32_t LibraryVersion = 0x00020002; // 2.2: major in the high word, minor in the low

} // namespace

bool CheckMediaLibrary()
{
    return audiolib::GetVersion() == LibraryVersion;
}

bool SetupMedia()
{
    // WMA is built into the library; the load is kept so the set-up reads as one sequence.
    audiolib::PluginLoad("wma");
    audiolib::SetConfig(audiolib::ConfigFloatDsp, 1);
    audiolib::SetConfig(audiolib::ConfigMaxVol, 100);
    audiolib::SetConfig(audiolib::ConfigUpdatePeriod, 10);
    audiolib::SetConfig(audiolib::ConfigBuffer, 1000);
    return true;
}

void FreeMedia()
{
    for (int slot = 1; slot <= SlotCount; ++slot) {
        SetOutputDevice(SlotDeviceIndex(slot));
        audiolib::Stop();
        audiolib::RecordFree();
        audiolib::Free();
    }
    audiolib::PluginFree(0);
}
