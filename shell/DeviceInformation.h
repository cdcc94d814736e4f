#pragma once
// The device-information window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFDeviceInformation : public TStubWindow {
    Q_OBJECT
public:
    TFDeviceInformation() : TStubWindow("TFDeviceInformation", "FDeviceInformation") {}
};

inline TFDeviceInformation* FDeviceInformation = nullptr;
