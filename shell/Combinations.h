#pragma once
// The combinations window; a stand-in with the window's names and its run mode until the window
// itself is built.
#include "shell/StubWindow.h"

class TFCombinations : public TStubWindow {
    Q_OBJECT
public:
    TFCombinations() : TStubWindow("TFCombinations", "FCombinations") {}

    // 0: inside the station program; 1: the combinations editor on its own.
    void SetRunMode(int mode) { runMode_ = mode; }
    int RunMode() const { return runMode_; }

private:
    int runMode_ = -1;
};

inline TFCombinations* FCombinations = nullptr;
