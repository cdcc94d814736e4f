#pragma once
// The station's windows, created in their fixed order and destroyed in the reverse one. Each window's
// global (FMain, FChannel1, ...) points at it while it lives.
#include "shell/WindowList.h"

class WindowSet {
public:
    // The login window first (its creation may end start-up: false), then every other window.
    bool Create();
    // From the last created to the first; their own destruction steps run then.
    void Destroy() { windows_.Destroy(); }

private:
    template <typename Window> Window* Add(Window*& global) { return windows_.Add(global); }

    WindowList windows_;
};
