#pragma once
// The mixer window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFMixer : public TStubWindow {
    Q_OBJECT
public:
    TFMixer() : TStubWindow("TFMixer", "FMixer") {}
};

inline TFMixer* FMixer = nullptr;
