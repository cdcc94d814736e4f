#pragma once
// The fonts-and-colours dialog; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFFontsColorsChoose : public TStubWindow {
    Q_OBJECT
public:
    TFFontsColorsChoose() : TStubWindow("TFFontsColorsChoose", "FFontsColorsChoose") {}
};

inline TFFontsColorsChoose* FFontsColorsChoose = nullptr;
