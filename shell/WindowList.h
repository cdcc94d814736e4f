#pragma once
// A program's windows, created in order and destroyed in the reverse one. Each window's global (FMain,
// FCombinations, ...) points at it while it lives and is cleared before the window goes.
#include "shell/Trace.h"

#include <QWidget>

#include <functional>
#include <vector>

class WindowList {
public:
    WindowList() = default;
    ~WindowList() { Destroy(); }
    WindowList(const WindowList&) = delete;
    WindowList& operator=(const WindowList&) = delete;

    template <typename Window> Window* Add(Window*& global)
    {
        auto* window = new Window;
        global = window;
        entries_.push_back({window, [&global] { global = nullptr; }});
        Trace("create:" + window->objectName());
        return window;
    }

    // From the last created to the first; their own destruction steps run then.
    void Destroy();

private:
    struct Entry {
        QWidget* window;
        std::function<void()> forget; // clears the window's global
    };
    std::vector<Entry> entries_;
};
