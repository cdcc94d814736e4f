#pragma once
// The pre-listen (CUE) player; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFCUEPlayer : public TStubWindow {
    Q_OBJECT
public:
    TFCUEPlayer() : TStubWindow("TFCUEPlayer", "FCUEPlayer") {}
};

inline TFCUEPlayer* FCUEPlayer = nullptr;
