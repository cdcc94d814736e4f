#pragma once
// The effects window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFFX : public TStubWindow {
    Q_OBJECT
public:
    TFFX() : TStubWindow("TFFX", "FFX") {}
};

inline TFFX* FFX = nullptr;
