#pragma once
// The station's windows, created in their fixed order and destroyed in the reverse one. Each window's
// global (FMain, FChannel1, ...) points at it while it lives.
#include <QString>

#include <functional>
#include <vector>

class QWidget;

class WindowSet {
public:
    WindowSet() = default;
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // The login window first (its creation may end start-up: false), then every other window.
    bool Create();
    // From the last created to the first; their own destruction steps run then.
    void Destroy();

private:
    template <typename Window> Window* Add(Window*& global);

    struct Entry {
        QWidget* window;
        std::function<void()> forget; // clears the window's global
    };
    std::vector<Entry> entries_;
};
