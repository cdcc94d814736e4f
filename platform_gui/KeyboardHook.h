#pragma once
// The stand-in for a system-wide keyboard hook: key events handed to an installed procedure, the way
// the platform hands them to a WH_KEYBOARD hook (code, virtual-key code, keystroke flags). With an X
// display the keys come from a grab of Ctrl+F12 on the whole desktop, on a thread of their own;
// without one, or when another client owns that grab, from the station's own windows.
#include "platform/Messages.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

using KeyboardHookProc = intptr_t (*)(int code, uintptr_t wParam, intptr_t lParam);

// Keystroke flags of a key event: bit 30 the key was down before, bit 31 it is being released.
constexpr intptr_t KeyWasDown = intptr_t(1) << 30;
constexpr intptr_t KeyReleased = intptr_t(1) << 31;

// Calls the procedure for one key event with the Ctrl state that GetKeyState(VK_CONTROL) answers
// meanwhile, on the calling thread.
intptr_t DeliverKey(KeyboardHookProc proc, int code, uintptr_t virtualKey, intptr_t flags, bool controlDown);

// How many events the procedures passed on to CallNextHookEx in this process.
int NextHookCalls();

// The X display the toolkit draws on; empty when it uses none (offscreen, Wayland-native).
QString ToolkitDisplayName();

class XKeyGrab;

class KeyboardHook : public QObject {
    Q_OBJECT
public:
    // Installs the procedure: system-wide on the display when the grab is taken, else for the
    // station's own windows. An empty display name means no display.
    KeyboardHook(KeyboardHookProc proc, const QString& displayName);
    // Removes it: no call follows once this returns.
    ~KeyboardHook() override;

    bool SystemWide() const { return grab_ != nullptr; }
    // Why the key is not system-wide; empty when it is.
    QString Limitation() const { return limitation_; }
    // Called on the GUI thread when the display's connection is lost and the key falls back to the
    // station's own windows, with the reason.
    std::function<void(const QString& reason)> OnFallBack;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FallBack(const QString& reason);

    KeyboardHookProc proc_;
    std::unique_ptr<XKeyGrab> grab_;
    QString limitation_;
};

} // namespace platform
