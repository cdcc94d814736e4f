#pragma once
// The folders window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFFolders : public TStubWindow {
    Q_OBJECT
public:
    TFFolders() : TStubWindow("TFFolders", "FFolders") {}
};

inline TFFolders* FFolders = nullptr;
