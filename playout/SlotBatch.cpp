#include "playout/SlotBatch.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"

TSlotBatch::TSlotBatch(int slot) : device_(PlaybackDeviceIndex(OutputDevices, Channels[slot].Device))
{
    audiolib::BeginBatch(device_);
}

TSlotBatch::~TSlotBatch()
{
    audiolib::EndBatch(device_);
}
