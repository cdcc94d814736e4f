#pragma once
// Device 0 on the manual clock with "No sound" as the only playback device, fresh slots, and a leak
// check: once the test's slots are stopped no stream of the library may be left.
#include <gtest/gtest.h>

class AudioLayerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
