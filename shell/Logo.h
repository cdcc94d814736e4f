#pragma once
// The logo window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFLogo : public TStubWindow {
    Q_OBJECT
public:
    TFLogo() : TStubWindow("TFLogo", "FLogo") {}
};

inline TFLogo* FLogo = nullptr;
