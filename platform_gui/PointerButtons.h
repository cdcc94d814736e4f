#pragma once
// The mouse buttons the window system holds down at this moment, asked of the X server itself (Qt's
// own idea of them follows the events it has handled so far). A test installs FakePointerButtons.
#include <Qt>

#include <optional>

namespace platform {

// The buttons down now; nothing when the platform cannot say (no X11 connection).
std::optional<Qt::MouseButtons> PointerButtonsDown();

class FakePointerButtons {
public:
    explicit FakePointerButtons(std::optional<Qt::MouseButtons> down);
    ~FakePointerButtons();
    FakePointerButtons(const FakePointerButtons&) = delete;
    FakePointerButtons& operator=(const FakePointerButtons&) = delete;

    std::optional<Qt::MouseButtons> down;

private:
    FakePointerButtons* previous_;
};

} // namespace platform
