#pragma once
// The author window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFMyAbout : public TStubWindow {
    Q_OBJECT
public:
    TFMyAbout() : TStubWindow("TFMyAbout", "FMyAbout") {}
};

inline TFMyAbout* FMyAbout = nullptr;
