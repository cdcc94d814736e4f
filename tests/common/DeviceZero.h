#pragma once
// Device 0 on the manual clock with "No sound" as the only playback device and fresh slots, for the
// suites that play; the close stops every slot and checks that no stream of the library is left.
namespace testing_support {

void OpenDeviceZero();
void CloseDeviceZero();

} // namespace testing_support
