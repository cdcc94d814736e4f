#pragma once
// The file search window; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFSearchFiles : public TStubWindow {
    Q_OBJECT
public:
    TFSearchFiles() : TStubWindow("TFSearchFiles", "FSearchFiles") {}
};

inline TFSearchFiles* FSearchFiles = nullptr;
