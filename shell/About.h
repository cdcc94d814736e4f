#pragma once
// The about window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFAbout : public TStubWindow {
    Q_OBJECT
public:
    TFAbout() : TStubWindow("TFAbout", "FAbout") {}
};

inline TFAbout* FAbout = nullptr;
