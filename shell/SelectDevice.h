#pragma once
// The output-device selection window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFSelectDevice : public TStubWindow {
    Q_OBJECT
public:
    TFSelectDevice() : TStubWindow("TFSelectDevice", "FSelectDevice") {}
};

inline TFSelectDevice* FSelectDevice = nullptr;
