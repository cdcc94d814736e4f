#pragma once
// The system-wide half of the keyboard hook: its own X connection holding a passive grab of Ctrl+F12
// (with any of Shift, CapsLock and NumLock) on the root window, and a thread handing each grabbed key
// event to the procedure. Ctrl+Alt+F12 stays the desktop's.
#include "platform_gui/KeyboardHook.h"

#include <QString>

#include <functional>
#include <thread>

namespace platform {

class XKeyGrab {
public:
    // Connects to the display and takes the grab; on failure Error() says why and nothing is held.
    // onLost runs on the grab's thread when the connection breaks or a keymap change makes the grab
    // fail, just before the thread ends.
    XKeyGrab(KeyboardHookProc proc, const QString& displayName, std::function<void(const QString&)> onLost);
    ~XKeyGrab();
    XKeyGrab(const XKeyGrab&) = delete;
    XKeyGrab& operator=(const XKeyGrab&) = delete;

    QString Error() const { return error_; }

private:
    struct State;
    // Takes the grab for the keymap as it is; empty, or why not (then nothing is held).
    QString Grab();
    void Ungrab();
    void Run();

    KeyboardHookProc proc_;
    std::function<void(const QString&)> onLost_;
    std::unique_ptr<State> state_;
    QString error_;
    int wake_ = -1; // an eventfd: written to stop the thread
    std::thread thread_;
};

} // namespace platform
