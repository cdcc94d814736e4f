#pragma once
// The clock window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFClock : public TStubWindow {
    Q_OBJECT
public:
    TFClock() : TStubWindow("TFClock", "FClock") {}
};

inline TFClock* FClock = nullptr;
