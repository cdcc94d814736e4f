#include "DeviceZero.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"

#include <gtest/gtest.h>

namespace testing_support {

void OpenDeviceZero()
{
    ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 1));
    ASSERT_TRUE(audiolib::Init(0, 44100, 0));
    OutputDevices.fill(TDevice{});
    OutputDevices[0] = TDevice{"No sound", "No sound", 0, CapsFloat, {}};
    for (int slot = 1; slot <= SlotCount; ++slot)
        Channels[slot] = TChannel{};
}

void CloseDeviceZero()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        ChannelStopBoth(slot);
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    if (audiolib::SetDevice(0))
        audiolib::Free();
    OutputDevices.fill(TDevice{});
}

} // namespace testing_support
