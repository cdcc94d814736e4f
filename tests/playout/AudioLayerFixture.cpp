#include "AudioLayerFixture.h"

#include "DeviceZero.h"

void AudioLayerFixture::SetUp()
{
    testing_support::OpenDeviceZero();
}

void AudioLayerFixture::TearDown()
{
    testing_support::CloseDeviceZero();
}
