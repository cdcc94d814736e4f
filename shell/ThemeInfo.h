#pragma once
// The audio-file information window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFThemeInfo : public TStubWindow {
    Q_OBJECT
public:
    TFThemeInfo() : TStubWindow("TFThemeInfo", "FThemeInfo") {}
};

inline TFThemeInfo* FThemeInfo = nullptr;
