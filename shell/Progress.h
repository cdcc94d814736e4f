#pragma once
// The progress window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFProgress : public TStubWindow {
    Q_OBJECT
public:
    TFProgress() : TStubWindow("TFProgress", "FProgress") {}
};

inline TFProgress* FProgress = nullptr;
