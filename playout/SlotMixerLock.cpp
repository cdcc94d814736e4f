#include "playout/SlotMixerLock.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"

TSlotMixerLock::TSlotMixerLock(int slot) : device_(PlaybackDeviceIndex(OutputDevices, Channels[slot].Device))
{
    audiolib::Lock(device_, true);
}

TSlotMixerLock::~TSlotMixerLock()
{
    audiolib::Lock(device_, false);
}
